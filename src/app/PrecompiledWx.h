// The wx headers that most of the window's files include, compiled once per
// target as its precompiled header: reading wx's and GTK's headers takes most
// of the time of compiling any file of the window. Every file still includes
// what it uses itself, so it builds without this too.
#pragma once

#include <wx/wx.h>

#include <wx/bmpbuttn.h>
#include <wx/combobox.h>
#include <wx/grid.h>
#include <wx/notebook.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>
