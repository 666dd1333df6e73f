// kalvoro-sheet RECORD OUT.pdf: writes the printed game sheet of a game record as a one-page PDF file.
#include "SheetPainter.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::analysis;

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: kalvoro-sheet RECORD OUT.pdf\n");
        return 2;
    }
    // The sheet needs fonts but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    try {
        const TGameRecord record = ReadGameRecord(argv[1]);
        if (const auto error = WriteGameSheetPdf(record, argv[2])) {
            std::fprintf(stderr, "%s\n", error->c_str());
            return 1;
        }
    } catch (const TFileError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
