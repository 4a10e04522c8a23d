#include "app/background_operation.h"
#include "app/controls.h"
#include "app/guarded_call.h"
#include "app/main_window.h"
#include "app/program_state.h"
#include "host/detached_page.h"
#include "platform/operation_limit.h"
#include "platform/system.h"
#include "widgets/themed_status_bar.h"

#include <QKeySequence>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <memory>

void TForm1::buildBusyState() {
    hostOperation_ = new kvl::app::BackgroundOperation(this);
    // At the right end of the first panel, beside the note it belongs to; shown only while busy.
    BCancelWait = kvl::app::place(new QPushButton(SBar), "BCancelWait", QRect(336, 4, 80, 22));
    BCancelWait->setCursor(Qt::ArrowCursor);
    BCancelWait->hide();
    connect(BCancelWait, &QPushButton::clicked, hostOperation_, &kvl::app::BackgroundOperation::cancel);
    cancelShortcut_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    cancelShortcut_->setEnabled(false);
    connect(cancelShortcut_, &QShortcut::activated, hostOperation_, &kvl::app::BackgroundOperation::cancel);
}

bool TForm1::busy() const { return hostOperation_->running(); }

void TForm1::runOnPage(const std::function<void(kvl::host::HostPage &)> &operation,
                       std::function<void()> settle) {
    if (busy())
        return; // the locked page started it: nothing else may run on the page meanwhile
    if (!settle)
        settle = [] {};
    if (!kvl::platform::hostStoreMayWait()) {
        try {
            operation(*this);
        } catch (...) {
            settle();
            throw;
        }
        settle();
        return;
    }
    const auto page = std::make_shared<kvl::host::DetachedPage>(*this);
    const QPointer<QWidget> focused = focusWidget();
    hostOperation_->start([page, operation] { operation(*page); },
                          [this, page, settle, focused](std::exception_ptr error) {
                              page->replayOn(*this);
                              settle();
                              setBusy(false);
                              if (focused)
                                  focused->setFocus();
                              kvl::app::runGuarded(this, [&error] {
                                  if (!error)
                                      return;
                                  try {
                                      std::rethrow_exception(error);
                                  } catch (const kvl::platform::Cancelled &) {
                                      // The user stopped it; what was done before stays, as on any stop.
                                  }
                              });
                          });
    setBusy(true);
}

void TForm1::setBusy(bool busy) {
    PGVersie->setEnabled(!busy);
    if (busy)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
    cancelShortcut_->setEnabled(busy);
    BCancelWait->setVisible(busy);
    if (busy)
        BCancelWait->setFocus();
    showStatusNote();
}
