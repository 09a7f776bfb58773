#include "AutoCropState.h"

#include <QDebug>

void AutoCropState::suspend(const QString& reason)
{
    if (m_suspendedBy.contains(reason))
        return;
    m_suspendedBy.insert(reason);
    qDebug().noquote() << "[AutoCrop] suspended by" << reason << "- user choice kept:" << m_userChoice;
}

void AutoCropState::resume(const QString& reason)
{
    if (!m_suspendedBy.remove(reason))
        return;
    qDebug().noquote() << "[AutoCrop] resumed by" << reason << "- now effective:" << effective();
}
