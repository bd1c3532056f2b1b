#include "PresentationFinder.h"

#include <algorithm>

namespace PresentationFinder {

bool isPresentationProgram(const QString& instance, const QString& className)
{
    for (const Program& program : KnownPrograms) {
        if (program.instance.isEmpty())
            continue;
        if (instance == program.instance && className.startsWith(program.classPrefix))
            return true;
    }
    return false;
}

quint32 rememberActive(quint32 remembered, const ClientWindow& active)
{
    // Anything else that takes the keyboard meanwhile (a mail, our own settings) is a visit, not the talk.
    return active.fullScreen && !active.ours && active.id != 0 ? active.id : remembered;
}

std::optional<quint32> findPresentation(const std::vector<ClientWindow>& bottomToTop, quint32 remembered)
{
    if (remembered != 0) {
        const auto it = std::find_if(bottomToTop.begin(), bottomToTop.end(),
                                     [remembered](const ClientWindow& window) { return window.id == remembered; });
        if (it != bottomToTop.end() && it->fullScreen)
            return remembered;
    }
    for (auto it = bottomToTop.rbegin(); it != bottomToTop.rend(); ++it) {
        if (it->fullScreen && isPresentationProgram(it->instance, it->className))
            return it->id;
    }
    return std::nullopt;
}

} // namespace PresentationFinder
