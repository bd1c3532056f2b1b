#include "app/PresentationFinder.h"

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

std::optional<quint32> findPresentation(const std::vector<ClientWindow>& bottomToTop)
{
    for (auto it = bottomToTop.rbegin(); it != bottomToTop.rend(); ++it) {
        if (it->fullScreen && isPresentationProgram(it->instance, it->className))
            return it->id;
    }
    return std::nullopt;
}

} // namespace PresentationFinder
