#pragma once

#include <QString>
#include <string>

class QPagedPaintDevice;

namespace stowbel {

struct LoadingPlanInput;

// Paints the whole plan on a paged device, a QPdfWriter or a QPrinter that the print dialog set
// up, page after page within the device's paintable area. Made for A4 landscape: the first page
// shows the order, the report, the run's picture and the totals; each container used gets a page
// with its top view, its 3D view and its loading list, which goes on over further pages when it
// is long. Every page ends with its number and the program's name and version. False, with
// nothing painted, when painting on the device cannot begin (a printer that cannot start, a file
// it cannot write).
bool PaintLoadingPlan(QPagedPaintDevice& device, const LoadingPlanInput& input);

// The plan as a PDF document: A4 landscape, vector drawing, DejaVu Sans embedded. The document's
// creation date is input.createdAt, so that the same input always gives the same bytes.
std::string RenderLoadingPlanPdf(const LoadingPlanInput& input);

// Writes the PDF so that a reader sees either the old file or the whole new one. Throws
// FileError.
void WriteLoadingPlanPdf(const LoadingPlanInput& input, const std::string& path);

// The face of the plan: DejaVu Sans, registered from the fonts-dejavu-core files when the
// system does not offer it by name.
QString PlanFontFamily();

}  // namespace stowbel
