// Tarnwick: a front end for the Delphi 3 command-line compiler.
#include "app/Main.h"
#include "output/output.h"
#include "base/FontProps_core.h"
#include "prefs/options.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    TApplication application;
    try {
        application.SetTitle("Tarnwick");
        char exeName[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, exeName, MAX_PATH);
        placement::SetApplicationExeName(exeName);
        fontprops::SetPixelsPerInch(ScreenPixelsPerInch());
        application.CreateForm<TMainForm>();
        // The preferences window proposes the compiler as it is made, so a fault in that shows before the
        // main window, as it always has. Both windows make their controls once the main window shows.
        application.CreateForm<TPForm>(TControlsTiming::AfterMainWindow);
        auto* output = application.CreateForm<TOpForm>(TControlsTiming::AfterMainWindow);
        output->ProjectFileName = [] { return MainForm ? MainForm->Project->FileName() : std::string(); };
        application.Run();
    } catch (...) {
        // Whatever the start-up raised, of any type, is shown by the application's default handler.
        ShowCurrentException();
    }
    return 0;
}
