// One wx application for the whole GUI test run, under Xvfb.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/log.h>

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
