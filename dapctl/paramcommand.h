#pragma once

#include "dapctl/ctlcommand.h"

#include "model/paramid.h"

#include <QVector>

namespace Model {
class UnitState;
} // namespace Model
class StateLink;

// dapctl get UNIT PATH... and dapctl set UNIT PATH VALUE... | --from FILE:
// one class, since a set ends with the get of what it set. Both work on the
// unit model: the records that hold the paths are read (pipelined), values
// are taken with the rules of the program's controls, and writes go as the
// model makes them, one frame per record.
class ParamCommand final : public CtlCommand
{
public:
    enum Mode
    {
        Get,
        Set
    };
    explicit ParamCommand(Mode mode) : m_mode(mode) {}

    QString name() const override;
    QString synopsis() const override;
    QString summary() const override;
    QString description() const override;
    unsigned optionGroups() const override;
    int run(const QStringList &args, const CtlOptions &options, CtlConsole &console) override;

private:
    // A path as it is printed (as the command line wrote it, or the model's
    // path for what a wildcard matched) and the parameter it names.
    struct Named
    {
        QString label;
        Model::ParamId id;
    };

    int runSet(const QStringList &args, const CtlOptions &options, CtlConsole &console);
    int runFromFile(const QStringList &args, const CtlOptions &options, CtlConsole &console);
    // Reads the paths back from the unit and prints them.
    int print(StateLink &link, const QVector<Named> &paths, const CtlOptions &options,
              CtlConsole &console);
    // The parameters a command line's path or pattern names; false (and a
    // usage error printed) for one that names none.
    bool expand(const QString &pattern, QVector<Named> &out, CtlConsole &console, int &code) const;

    Mode m_mode;
};
