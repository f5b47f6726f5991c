// On Windows the grid paints each cell's text itself, through GDI, which is
// fast enough; no pictures are kept, so the grid's own renderer draws every cell.
#include "app/buffers/CellPictures.h"

namespace cellPictures {

bool paint(wxGraphicsContext&, const wxFont&, const CellLook&, wxPoint) { return false; }

} // namespace cellPictures
