// Linked into every program and test of a thread sanitizer build, so that each run, however it
// is started, stops at the first race and passes over the ones below.
//
// Qt, its X connection and GLib are not built with the thread sanitizer: the memory their own
// threads share is handed over in ways it cannot see. Our threads run none of their code but
// the start-up's listing of the fonts, which Qt's font database runs under a lock of its own.
extern "C" const char* __tsan_default_options();
extern "C" const char* __tsan_default_suppressions();

extern "C" const char* __tsan_default_options() {
    return "halt_on_error=1";
}

extern "C" const char* __tsan_default_suppressions() {
    return "called_from_lib:libQt6Core.so.6\n"
           "called_from_lib:libQt6Gui.so.6\n"
           "called_from_lib:libQt6Widgets.so.6\n"
           "called_from_lib:libQt6XcbQpa.so.6\n"
           "called_from_lib:libxcb.so.1\n"
           "called_from_lib:libglib-2.0.so.0\n"
           "race:libQt6Core.so.6\n"
           "race:libQt6Gui.so.6\n"
           "race:libQt6XcbQpa.so.6\n"
           "race:libxcb.so.1\n"
           "race:libglib-2.0.so.0\n";
}
