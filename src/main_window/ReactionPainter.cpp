#include "main_window/ReactionPainter.h"

#include "engine/Report.h"
#include "form/FormState.h"
#include "platform/Surface.h"

namespace main_window {

void paintReaction(platform::Surface& surface, const form::Reaction& r) {
    if (r.clearPicture)
        surface.cls();
    if (r.backColour)
        surface.setBackColor(*r.backColour);
    for (const std::string& line : r.report) {
        if (line.empty())
            surface.print({});
        else
            surface.print({platform::PrintItem::Spc(engine::kReportIndentBlanks),
                           QString::fromStdString(line)});
    }
}

} // namespace main_window
