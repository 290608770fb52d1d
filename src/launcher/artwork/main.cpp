// Writes the launcher's pictures into the folder given on the command line:
// splash.bmp (600 x 317, 24 bits) and icon32.bmp, icon16.bmp (16 colours).
#include "BmpWriter.h"
#include "SplashArtwork.h"

#include <exception>
#include <filesystem>
#include <iostream>

using stockmark::artwork::BmpWriter;
using stockmark::artwork::SplashArtwork;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " OUTPUT_FOLDER\n";
        return 2;
    }
    try {
        const std::filesystem::path folder = argv[1];
        BmpWriter::writeTrueColour(folder / "splash.bmp", SplashArtwork::splashWidth,
                                   SplashArtwork::splashHeight, SplashArtwork::splash());
        for (int size : {32, 16})
            BmpWriter::writeSixteenColour(folder / ("icon" + std::to_string(size) + ".bmp"), size,
                                          size, SplashArtwork::iconPalette,
                                          SplashArtwork::icon(size));
    } catch (const std::exception& e) {
        std::cerr << argv[0] << ": " << e.what() << '\n';
        return 1;
    }
    return 0;
}
