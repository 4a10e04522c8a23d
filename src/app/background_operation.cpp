#include "app/background_operation.h"

#include <QMetaObject>

namespace kvl::app {

BackgroundOperation::BackgroundOperation(QObject *parent, Clock::duration budget,
                                         platform::OperationLimit::Now now)
    : QObject(parent), budget_(budget), now_(std::move(now)) {}

BackgroundOperation::~BackgroundOperation() {
    if (!running())
        return;
    limit_->cancel();
    worker_.join();
}

bool BackgroundOperation::start(std::function<void()> work, std::function<void(std::exception_ptr)> finish) {
    if (running())
        return false;
    limit_ = std::make_unique<platform::OperationLimit>(budget_, now_);
    worker_ = std::thread([this, limit = limit_.get(), work = std::move(work), finish = std::move(finish)] {
        std::exception_ptr error;
        try {
            const platform::OperationScope scope(*limit);
            work();
        } catch (...) {
            error = std::current_exception();
        }
        // Queued to this object's thread; dropped if the object is gone by then.
        QMetaObject::invokeMethod(
            this,
            [this, error, finish] {
                worker_.join();
                limit_.reset();
                finish(error);
            },
            Qt::QueuedConnection);
    });
    return true;
}

void BackgroundOperation::cancel() {
    if (running())
        limit_->cancel();
}

} // namespace kvl::app
