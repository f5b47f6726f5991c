// One wx application for the whole GUI test run, under Xvfb.
#include <cstring>

#include <glib.h>
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/log.h>

namespace {

std::string logField(const GLogField* fields, gsize count, const char* key)
{
    for (gsize i = 0; i < count; ++i) {
        if (std::strcmp(fields[i].key, key) != 0 || !fields[i].value)
            continue;
        const auto* text = static_cast<const char*>(fields[i].value);
        return fields[i].length < 0 ? std::string(text) : std::string(text, std::size_t(fields[i].length));
    }
    return {};
}

// A warning or critical from GTK, GDK or GLib means the window asked the
// toolkit for something wrong (a size it cannot give, a draw before a
// layout): it fails the test it happened in, or the run when between tests.
GLogWriterOutput failOnToolkitComplaints(GLogLevelFlags level, const GLogField* fields, gsize count, gpointer data)
{
    const std::string domain = logField(fields, count, "GLIB_DOMAIN");
    const bool toolkit = domain.starts_with("Gtk") || domain.starts_with("Gdk") || domain.starts_with("GLib");
    if (toolkit && (level & (G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING)))
        ADD_FAILURE() << domain << ((level & G_LOG_LEVEL_CRITICAL) ? "-CRITICAL: " : "-WARNING: ")
                      << logField(fields, count, "MESSAGE");
    return g_log_writer_default(level, fields, count, data);
}

} // namespace

class GuiTestApp : public wxApp {
public:
    // Not the base OnInit: it would parse the test runner's arguments.
    bool OnInit() override
    {
        wxInitAllImageHandlers();
        delete wxLog::SetActiveTarget(new wxLogStderr);
        wxSetAssertHandler([](const wxString& file, int line, const wxString& func, const wxString& cond,
                              const wxString& msg) {
            ADD_FAILURE_AT(file.utf8_str(), line) << "wx assertion in " << func.utf8_string() << ": "
                                                  << cond.utf8_string() << " " << msg.utf8_string();
        });
        return true;
    }
};

wxIMPLEMENT_APP_NO_MAIN(GuiTestApp);

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    g_log_set_writer_func(failOnToolkitComplaints, nullptr, nullptr);
    if (!wxEntryStart(argc, argv)) {
        fprintf(stderr, "wx could not start (no display?)\n");
        return 2;
    }
    wxTheApp->CallOnInit();
    const int result = RUN_ALL_TESTS();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
