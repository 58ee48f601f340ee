// The library the stand-in compiler leaves as a library project's ".dll": loadable, with one export
// to show it is one of ours.
extern "C" __declspec(dllexport) int __stdcall StandinLibraryVersion() {
    return 1;
}
