#pragma once
// The program's only window: two buttons that open a source log and save the converted log, the
// weather text every converted record carries, and the grid that shows the fill-up records.

#include <QWidget>
#include <cstdint>
#include <string>
#include <string_view>

#include "file_dialog.hpp"
#include "fuel_log.hpp"
#include "locale_values.hpp"

class QLabel;
class QLineEdit;
class QPushButton;

namespace rozuduzod {

class Application;
class StringGrid;

class TRozudUzodForm final : public QWidget {
    Q_OBJECT

  public:
    // Lays the window out and runs FormCreate; an error there is shown before the window is and
    // leaves the rest of FormCreate undone.
    TRozudUzodForm(Application& application, const LocaleValues& locale, QWidget* parent = nullptr);

    // The components, named as the window's description names them.
    StringGrid* DirazStringGrid;
    QWidget* TopPanel;
    QPushButton* OpenButton;
    FileDialog SaveDialog;
    FileDialog OpenDialog;
    QPushButton* SaveButton;
    QLineEdit* TenkiEdit;
    QLabel* TenkiLabel;

    // Event handlers; Sender is the object that raised the event.
    void OpenButtonClick(QObject* Sender);
    void FormCreate(QObject* Sender);
    void SaveButtonClick(QObject* Sender);

    void SplitDateText(std::string_view Text, uint16_t& Y, uint16_t& M, uint16_t& D) const;
    void WeekdayText(uint16_t Y, uint16_t M, uint16_t D, std::string& Result) const;

  private:
    void CreateTopPanel();
    void CreateGrid();
    void ConnectHandlers();
    void CentreOnScreen();
    void WriteHeaderRow();

    Application& application_;
    const LocaleValues locale_;
    // The fuel log the handlers share. The window lives as long as the program, and there is one
    // window, so the log is there for the whole run, once.
    FuelLogState fuel_log_;
};

}  // namespace rozuduzod
