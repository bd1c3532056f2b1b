#pragma once

#include <QByteArray>
#include <QColor>

#include <optional>

// A colour kept in the settings as the bytes Qt's own archiver writes for it. The format is pinned to one
// QDataStream version so that a file written today still decodes after a Qt upgrade.
namespace ColorArchive {

QByteArray archive(const QColor& color);

// Anything that is not exactly one well-formed colour record decodes to no colour: the bytes may come from a
// hand-edited or damaged settings file.
std::optional<QColor> unarchive(const QByteArray& bytes);

} // namespace ColorArchive
