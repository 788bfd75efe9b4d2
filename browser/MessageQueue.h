#pragma once

#include <vector>

#include <QMessageBox>
#include <QObject>
#include <QScopeGuard>
#include <QString>
#include <QTimer>

#include "browser/Catalog.h"

class BrowserHost;

// Message boxes wait here until the event loop is free again: none opens
// from inside a listing, a selection handler or a paint.
class MessageQueue : public QObject {
    Q_OBJECT
public:
    explicit MessageQueue(BrowserHost& host, QObject* parent = nullptr);

    // `detail`, when given, is a line of its own under the text (the file a fault is in).
    void Post(const QString& text, const QString& caption, QMessageBox::Icon icon, const QString& detail = QString());
    // One box for all files a listing could not read, naming the first few.
    void PostListingFaults(const std::vector<ReadFault>& faults);
    // The boxes of a folder the tree opened (its listing's box and that of the
    // entry focused with it) wait until the tree's selection has been still for
    // the type-ahead interval, so they never take the keys of a walk or a search.
    // A newer folder's boxes replace them (with no faults: none), so only the
    // folder the user stopped on reports.
    void HoldListingFaults(const std::vector<ReadFault>& faults);
    // While the returned guard lives, posted boxes join the held ones.
    [[nodiscard]] auto HoldPosts()
    {
        holdPosts_ = true;
        return qScopeGuard([this] { holdPosts_ = false; });
    }
    // The tree's selection moved or a key went to it: the held boxes wait again.
    void SelectionMoved();
    [[nodiscard]] bool BoxesHeld() const { return !held_.empty(); }
    // Shows every waiting message now.
    void Flush();

    struct Message {
        QString text;
        QString caption;
        QMessageBox::Icon icon;
        QString detail;
    };
    [[nodiscard]] const std::vector<Message>& Waiting() const { return waiting_; }

    static constexpr int kNamedFaults = 5;

private:
    BrowserHost& host_;
    std::vector<Message> waiting_;
    std::vector<Message> held_;
    QTimer settle_;
    bool flushPosted_ = false;
    bool holdPosts_ = false;
};

// The text of the box that sums up a listing's faults.
[[nodiscard]] QString ListingFaultText(const std::vector<ReadFault>& faults);
