#pragma once

#include <QObject>
#include <QString>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace quillomat {

class ReadPrecedence;

// Reads files of the medium for the window on a thread of its own, so that the window's thread
// never waits for a slow, scratched or pulled medium. One request is served at a time and the
// newest wins: a request made while another is still pending replaces it, and the result of a
// read that was overtaken or cancelled is dropped. Holding Down through a long list therefore
// reads the file of the row in hand and that of the last row, not one per row.
//
// While a request is pending or being read, the readers of lower rank (a search, the warm-up,
// the program's own files) wait before their next file.
class MediumReader : public QObject
{
    Q_OBJECT

public:
    // What to do with a read's result; runs on the window's thread.
    using Apply = std::function<void()>;
    // The read itself; runs on the reader's thread and must not touch widgets.
    using Read = std::function<Apply()>;

    explicit MediumReader(const QString& name, QObject* parent = nullptr);
    // Waits for the read in hand, which takes at most the medium's own delay.
    ~MediumReader() override;
    MediumReader(const MediumReader&) = delete;
    MediumReader& operator=(const MediumReader&) = delete;

    // The other readers that give way to this one; may be null. Set while idle.
    void setPrecedence(ReadPrecedence* precedence) { m_precedence = precedence; }

    void request(Read read);
    // Drops the pending request and the result of the read in hand.
    void cancel();
    // True from a request until its result (or that of the request that replaced it) was
    // applied or dropped.
    bool isBusy() const;

signals:
    // The reader has nothing left to read or apply.
    void settled();
    // A request came while the reader was idle.
    void started();

private:
    void run();
    void deliver(unsigned ticket, const Apply& apply);
    void holdOthersBack(bool hold);

    ReadPrecedence* m_precedence = nullptr;
    unsigned m_newest = 0; // the ticket whose result is shown; window's thread only

    mutable std::mutex m_mutex; // guards the members up to the thread
    std::condition_variable m_wake;
    std::optional<Read> m_pending;
    unsigned m_pendingTicket = 0;
    int m_jobs = 0;         // requests pending, in hand, or read and not yet delivered
    bool m_reading = false; // a read is in hand
    bool m_holding = false; // the other readers are held back
    bool m_stop = false;
    std::thread m_thread;
};

} // namespace quillomat
