#include "app/Startup.h"
#include "app/VudApplication.h"
#include "app/Localization.h"

int main(int argc, char** argv) {
    VudApplication app(argc, argv);
    installBrazilianPortuguese(app);
    Startup startup(platform::StationEnvironment::fromSystem());
    if (!startup.run()) return startup.exitCode();
    return app.exec();
}
