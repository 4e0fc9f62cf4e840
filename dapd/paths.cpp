#include "dapd/paths.h"

#include "dapd/meterpaths.h"
#include "model/catalogue.h"

namespace Paths {

QVector<Model::ParamId> expand(const QString &pattern, QString *error)
{
    QVector<Model::ParamId> out;
    if (MeterPaths::expand(pattern, out, error))
        return out;
    QString why;
    out = Model::Catalogue::instance().expand(pattern, &why);
    if (out.isEmpty() && error)
        *error = why.isEmpty() ? QStringLiteral("%1: no such path").arg(pattern) : why;
    return out;
}

QString path(const Model::ParamId &id)
{
    if (MeterPaths::isMeter(id))
        return MeterPaths::path(id);
    return Model::Catalogue::instance().path(id);
}

QString whyNotWritable(const Model::ParamId &id)
{
    if (MeterPaths::isMeter(id))
        return QStringLiteral("%1: a meter is read-only").arg(path(id));
    const Model::ParamDesc &d = Model::Catalogue::instance().param(id);
    if (d.is(Model::ReadOnly) || (d.record < 0 && !d.rules.assign))
        return QStringLiteral("%1: read-only; the unit reports it").arg(path(id));
    return QString();
}

} // namespace Paths
