#include "app/ProgrammerApp.h"

bool ProgrammerApp::OnInit()
{
    return true;
}
