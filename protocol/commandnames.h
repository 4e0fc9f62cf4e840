#pragma once

#include <QString>
#include <QVector>

// Names of the protocol's modules and commands, from the numbers of
// protocol/commands.h, for the protocol trace of the program and of dapctl:
// "InputLevel.Meter", "Settings.Location", "Preset.ExportData".
namespace Proto {

struct ModuleInfo
{
    quint8 op;
    quint8 module;
    const char *name;
};

// Every module that has a name, ordered by op, then module.
const QVector<ModuleInfo> &knownModules();

// The module's name, or an empty string when it has none.
QString moduleName(quint8 op, quint8 module);
// "Module.Command"; the module's name alone when the command has no name,
// and an empty string when the module has none.
QString commandName(quint8 op, quint8 module, quint8 cmd);

} // namespace Proto
