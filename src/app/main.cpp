#include "app/ProgrammerApp.h"

wxIMPLEMENT_APP(ProgrammerApp);
