#pragma once

#include <QStringList>

#include <optional>

class QObject;

// One copy of the program per session: the first launch owns the application id on the session bus,
// every later one hands its command line over and ends.
namespace SingleInstance {

// The exit status when this launch is done (its arguments were handed to the running copy, or it only
// asked a running copy for something and there is none); nothing when this launch goes on as the panel,
// which it never does when it only asks a running copy.
// Without a session bus every launch runs on its own, which one line on standard error says.
std::optional<int> claim(const QString& name, const QStringList& arguments, bool asksRunningCopy);

// Puts the service on the bus at its object path, once the name is owned.
void publish(QObject* service, const QString& path);

} // namespace SingleInstance
