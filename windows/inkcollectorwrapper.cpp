#include "windows/inkcollectorwrapper.h"

bool InkCollectorWrapper::bind(QWidget *view)
{
    m_status = m_sink.createInkCollector(view);
    return SUCCEEDED(m_status);
}

bool InkCollectorWrapper::release()
{
    m_status = m_sink.releaseCollector(false);
    return SUCCEEDED(m_status);
}

bool InkCollectorWrapper::setEnabled(bool enabled)
{
    m_status = m_sink.setCollectorEnabled(enabled);
    return SUCCEEDED(m_status);
}
