// The program's start-up as its main block runs it, up to the window's first shown frame.

#include <QWidget>

#include "first_frame.hpp"
#include "main_block.hpp"

int main(int argc, char* argv[]) {
    return rozuduzod::RunMainBlock(argc, argv,
                                   [](QWidget& form) { rozuduzod::bench::ReportFirstFrame(form); });
}
