// Stockmark: shows the splash picture, starts the host application from the current directory
// and closes after seven seconds or at a click. It takes no options and reads no configuration.

#include "SplashLauncher.h"

int main() {
    return stockmark::SplashLauncher{}.run();
}
