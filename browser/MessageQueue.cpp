#include "MessageQueue.h"

#include <utility>

#include <QApplication>

#include "browser/BrowserHost.h"
#include "browser/ShellNamespace.h"

QString ListingFaultText(const std::vector<ReadFault>& faults)
{
    const auto count = static_cast<qsizetype>(faults.size());
    // Header faults are in here too: those files were read, with a fault.
    QString text = count == 1 ? QStringLiteral("Faults in 1 file:") : QStringLiteral("Faults in %1 files:").arg(count);
    const qsizetype named = std::min<qsizetype>(count, MessageQueue::kNamedFaults);
    for (qsizetype i = 0; i < named; ++i) {
        const ReadFault& fault = faults[static_cast<std::size_t>(i)];
        text += QLatin1Char('\n') + NameToText(fault.fileName) + QStringLiteral(": ") + NameToText(fault.message);
    }
    if (count > named)
        text += QStringLiteral("\n...");
    return text;
}

MessageQueue::MessageQueue(BrowserHost& host, QObject* parent) : QObject(parent), host_(host)
{
    settle_.setSingleShot(true);
    connect(&settle_, &QTimer::timeout, this, [this] {
        for (const Message& message : std::exchange(held_, {}))
            Post(message.text, message.caption, message.icon, message.detail);
    });
}

void MessageQueue::Post(const QString& text, const QString& caption, QMessageBox::Icon icon, const QString& detail)
{
    if (holdPosts_) {
        held_.push_back({text, caption, icon, detail});
        SelectionMoved();
        return;
    }
    waiting_.push_back({text, caption, icon, detail});
    if (flushPosted_)
        return;
    flushPosted_ = true;
    QTimer::singleShot(0, this, &MessageQueue::Flush);
}

void MessageQueue::PostListingFaults(const std::vector<ReadFault>& faults)
{
    if (!faults.empty())
        Post(ListingFaultText(faults), QStringLiteral("Error!"), QMessageBox::Critical);
}

void MessageQueue::HoldListingFaults(const std::vector<ReadFault>& faults)
{
    held_.clear();
    settle_.stop();
    if (faults.empty())
        return;
    held_.push_back({ListingFaultText(faults), QStringLiteral("Error!"), QMessageBox::Critical, QString()});
    SelectionMoved();
}

void MessageQueue::SelectionMoved()
{
    if (!held_.empty())
        settle_.start(QApplication::keyboardInputInterval());
}

void MessageQueue::Flush()
{
    flushPosted_ = false;
    // A box's own event loop may post more; take the current batch first.
    std::vector<Message> batch;
    batch.swap(waiting_);
    for (const Message& message : batch)
        host_.ShowMessage(message.text, message.caption, message.icon, message.detail);
}
