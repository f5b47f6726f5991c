#pragma once

#include <wx/app.h>

class MainFrame;

class ProgrammerApp : public wxApp {
public:
    bool OnInit() override;

    MainFrame* mainFrame = nullptr;
};
