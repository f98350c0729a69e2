#pragma once

#include "catalogue/TAppDescription.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>
#include <optional>
#include <vector>

class QThread;
class QWidget;

namespace quillomat {

class PackageListView;
class TProject;

// Runs the main window's keyword searches off the GUI thread, so that the window keeps
// painting and answering while descriptions are read, and starts the warm-up of the search's
// text cache once the window has painted itself. While a search runs the list shows a busy
// cursor and keeps its rows; Escape cancels the search and leaves the list as it was.
class SearchRunner : public QObject
{
    Q_OBJECT

public:
    // Catalogues this small are searched at once, on the GUI thread: it takes no time.
    static constexpr std::size_t kInlinePackages = 20;

    SearchRunner(TProject& project, PackageListView& list, QWidget& window);
    // Cancels a running search and waits for its thread.
    ~SearchRunner() override;

    // Starts a search for the text; ignored (false) while one is running.
    bool start(const QString& text);
    void cancel();
    bool isRunning() const { return m_thread != nullptr; }

signals:
    // The list shows the result of the search started last.
    void finished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void startWarmUp();
    void finish(unsigned generation);
    void endRun();

    TProject& m_project;
    PackageListView& m_list;
    QWidget& m_window;
    std::unique_ptr<QThread> m_thread;
    std::atomic<bool> m_cancelled{false};
    std::optional<std::vector<const TAppDescription*>> m_result; // written by the thread
    unsigned m_generation = 0;
    bool m_warmUpScheduled = false;
};

} // namespace quillomat
