#include "widgets/childsignals.h"

#include <QObject>

void disconnectChildren(QObject *receiver)
{
    const auto children = receiver->findChildren<QObject *>();
    for (QObject *child : children)
        QObject::disconnect(child, nullptr, receiver, nullptr);
}
