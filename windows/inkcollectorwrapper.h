#pragma once

#include "windows/inkeventscomwrapper.h"

class QWidget;

// One view's ink collector and its event sink; deleting the wrapper releases the collector.
class InkCollectorWrapper
{
public:
    InkCollectorWrapper() = default;
    InkCollectorWrapper(const InkCollectorWrapper &) = delete;
    InkCollectorWrapper &operator=(const InkCollectorWrapper &) = delete;

    // Binds a new collector to the view; true when the collector is bound and enabled.
    bool bind(QWidget *view);
    // Releases the collector; false when it refused to be disabled.
    bool release();
    bool setEnabled(bool enabled);
    // The code of the last collector call.
    HRESULT status() const { return m_status; }
    InkEventsCOMWrapper::StrokeState strokeState() const { return m_sink.strokeState(); }

private:
    InkEventsCOMWrapper m_sink;
    HRESULT m_status = S_OK;
};
