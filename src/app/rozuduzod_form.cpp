#include "rozuduzod_form.hpp"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <array>

#include "application.hpp"
#include "dates.hpp"
#include "form_font.hpp"
#include "grid_header.hpp"
#include "log_reader.hpp"
#include "log_writer.hpp"
#include "main_icon.hpp"
#include "string_grid.hpp"
#include "text_file.hpp"

namespace rozuduzod {
namespace {

// The window was laid out for 96 pixels per inch; sizes are in pixels.
constexpr int kClientWidth = 445;
constexpr int kClientHeight = 360;
constexpr int kPanelHeight = 41;

constexpr int kGridColumns = kGridColumnCount;
constexpr int kGridRowsAtStart = 100;
constexpr int kGridRowHeight = 14;
constexpr std::array<int, kGridColumns> kGridColumnWidths = {25, 35, 20, 20, 45,
                                                             45, 50, 80, 50, 45};

constexpr int kHintHidePause = 10000;

QPushButton* CreateButton(QWidget* panel, const char* name, const QString& caption,
                          const QString& hint, const QRect& bounds) {
    auto* const button = new QPushButton(caption, panel);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(hint);
    button->setGeometry(bounds);
    return button;
}

}  // namespace

TRozudUzodForm::TRozudUzodForm(Application& application, const LocaleValues& locale,
                               QWidget* parent)
    : QWidget(parent),
      SaveDialog(this, FileDialog::Kind::kSave,
                 {QStringLiteral("全てのﾌｧｲﾙ (*)"), QStringLiteral("CSVﾌｧｲﾙ (*.csv)")}),
      OpenDialog(this, FileDialog::Kind::kOpen, {QStringLiteral("ﾃﾞｰﾀﾌｧｲﾙ (*.dat)")}),
      application_(application),
      locale_(locale) {
    setObjectName(QStringLiteral("RozudUzodForm"));
    setWindowTitle(QStringLiteral("「ぽてりん」ﾃﾞｰﾀｺﾝﾊﾞｰﾄ"));
    setFont(FormFont());
    CreateTopPanel();
    CreateGrid();
    auto* const layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(TopPanel);
    layout->addWidget(DirazStringGrid, 1);
    setTabOrder(OpenButton, SaveButton);
    setTabOrder(SaveButton, TenkiEdit);
    setTabOrder(TenkiEdit, DirazStringGrid);
    OpenButton->setFocus();
    resize(kClientWidth, kClientHeight);
    CentreOnScreen();
    ConnectHandlers();
    application_.RunHandler([this] { FormCreate(this); });
}

void TRozudUzodForm::CreateTopPanel() {
    TopPanel = new QWidget(this);
    TopPanel->setObjectName(QStringLiteral("TopPanel"));
    TopPanel->setFixedHeight(kPanelHeight);
    TenkiLabel = new QLabel(QStringLiteral("天気"), TopPanel);
    TenkiLabel->setObjectName(QStringLiteral("TenkiLabel"));
    TenkiLabel->setGeometry(200, 14, 24, 12);
    OpenButton = CreateButton(TopPanel, "OpenButton", QStringLiteral("開く(&O)"),
                              QStringLiteral("「ぽてりん」のﾃﾞｰﾀﾌｧｲﾙ(Ruviz.dat)ﾌｧｲﾙを開きます。"),
                              QRect(16, 8, 75, 25));
    SaveButton = CreateButton(TopPanel, "SaveButton", QStringLiteral("保存(&S)"),
                              QStringLiteral("表示されている変換後ﾃﾞｰﾀを保存(Diraz0?.dat)します。"),
                              QRect(104, 8, 75, 25));
    TenkiEdit = new QLineEdit(QStringLiteral("晴れ"), TopPanel);
    TenkiEdit->setObjectName(QStringLiteral("TenkiEdit"));
    TenkiEdit->setToolTip(QStringLiteral("保存ﾃﾞｰﾀの「天気」を設定してください。"));
    TenkiEdit->setGeometry(232, 10, 41, 20);
}

void TRozudUzodForm::CreateGrid() {
    DirazStringGrid = new StringGrid(kGridColumns, kGridRowsAtStart, this);
    DirazStringGrid->setObjectName(QStringLiteral("DirazStringGrid"));
    DirazStringGrid->SetDefaultRowHeight(kGridRowHeight);
    for (int column = 0; column < kGridColumns; ++column) {
        DirazStringGrid->SetColWidth(column, kGridColumnWidths[static_cast<size_t>(column)]);
    }
}

void TRozudUzodForm::ConnectHandlers() {
    connect(OpenButton, &QPushButton::clicked, this,
            [this] { application_.RunHandler([this] { OpenButtonClick(OpenButton); }); });
    connect(SaveButton, &QPushButton::clicked, this,
            [this] { application_.RunHandler([this] { SaveButtonClick(SaveButton); }); });
}

void TRozudUzodForm::CentreOnScreen() {
    const QRect screen_area = screen()->geometry();
    move(screen_area.center() - rect().center());
}

void TRozudUzodForm::OpenButtonClick(QObject* /*Sender*/) {
    if (!OpenDialog.Execute()) {
        return;
    }
    const StringGrid::UpdateBatch batch(*DirazStringGrid);
    ReadSourceLog(LocalPath(OpenDialog.FileName()), fuel_log_, *DirazStringGrid, locale_);
}

void TRozudUzodForm::FormCreate(QObject* /*Sender*/) {
    const QIcon icon = MainIcon();
    application_.SetIcon(icon);
    setWindowIcon(icon);
    application_.SetHintHidePause(kHintHidePause);
    setWindowTitle(QStringLiteral("「ぽてりん」ﾃﾞｰﾀｺﾝﾊﾞｰﾄ  Ver 1.0"));
    application_.SetTitle(windowTitle());
    WriteHeaderRow();
    if (IsRegularFile(kGasListFileName)) {
        ReadGasNames(kGasListFileName, fuel_log_.GasNames);
    }
    OpenDialog.SetFileName(QString::fromLatin1(kSourceLogFileName));
    SaveDialog.SetFileName(QString::fromLatin1(kConvertedLogFileName));
}

void TRozudUzodForm::SaveButtonClick(QObject* /*Sender*/) {
    if (!SaveDialog.Execute()) {
        return;
    }
    WriteConvertedLog(LocalPath(SaveDialog.FileName()), fuel_log_,
                      WeatherText(TenkiEdit->text().toStdString()), locale_);
}

void TRozudUzodForm::SplitDateText(std::string_view Text, uint16_t& Y, uint16_t& M,
                                   uint16_t& D) const {
    rozuduzod::SplitDateText(Text, Y, M, D);
}

void TRozudUzodForm::WeekdayText(uint16_t Y, uint16_t M, uint16_t D, std::string& Result) const {
    rozuduzod::WeekdayText(Y, M, D, Result, locale_);
}

void TRozudUzodForm::WriteHeaderRow() {
    for (int column = 0; column < kGridColumns; ++column) {
        DirazStringGrid->SetCell(column, 0, GridHeaderTexts()[static_cast<size_t>(column)]);
    }
}

}  // namespace rozuduzod
