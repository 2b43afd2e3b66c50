#include "app/instance_lock.h"

#include <QApplication>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <future>
#include <thread>

namespace {

// `window` is null while the game starts: a start-up message is all there is to bring up then.
void showAndActivate(QWidget* window)
{
    if (window) {
        window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
        window->show();
        window->raise();
        window->activateWindow();
    }
    // A dialog open over the window stays in front of it.
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->raise();
        modal->activateWindow();
    }
}

} // namespace

SingleInstance::SingleInstance(const std::string& dataFolder, const std::vector<std::string>& tableFiles)
    : m_lock(dataFolder)
{
    if (m_lock.state() == storage::FolderLock::State::Refused) {
        // The refusal reads "a(z) ...": here it opens the sentence.
        m_refusal = "A" + m_lock.refusal().substr(1)
            + ". A játék ezért nem indul el, mert így egy másik példánya felülírhatná a fájljait. Törölje a "
              "zárolófájlt (ha nem az Öné, a tulajdonosa vagy a rendszergazda teheti meg), és indítsa újra a "
              "játékot";
        m_exitStatus = 1;
        return;
    }
    if (m_lock.state() == storage::FolderLock::State::Held) {
        // Bound at once, before any start-up message: a later copy is answered from the first moment.
        m_listener = std::make_unique<platform::HandoverListener>();
        if (m_listener->name().empty() || !m_lock.publish(m_listener->name() + "\n"))
            m_listener.reset(); // no hand-over; the lock still keeps a second copy out

        // The files reached through links elsewhere: their folders are locked too, for as long as the game
        // runs.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        std::vector<std::string> held {dataFolder}; // a second lock of our own would block on the first
        for (const auto& file : tableFiles) {
            auto locks = std::make_unique<storage::PathLocks>(file, held);
            // The table tool may be writing there for a moment.
            while (locks->state() == storage::FolderLock::State::TakenByAnother
                   && std::chrono::steady_clock::now() < deadline) {
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                locks->retry();
            }
            if (locks->state() == storage::FolderLock::State::Refused) {
                m_refusal = "A" + locks->problem().substr(1) + ", ezért a játék nem indul el";
                m_exitStatus = 1;
                return;
            }
            if (locks->state() == storage::FolderLock::State::TakenByAnother) {
                m_refusal = "A(z) " + file + " fájl mappáját (" + locks->problem()
                    + ") egy másik futó játék vagy a táblakezelő használja, ezért a játék nem indul el";
                m_exitStatus = 1;
                return;
            }
            for (auto& folder : locks->folders())
                held.push_back(std::move(folder));
            m_fileLocks.push_back(std::move(locks));
        }
        return;
    }
    if (m_lock.state() != storage::FolderLock::State::TakenByAnother)
        return; // no lock can be made here: then no copy can write here either
    // The holder may be a copy still starting (not listening yet) or the table tool writing for a moment.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline) {
        const std::string name = storage::FolderLock::readNote(dataFolder);
        if (!name.empty() && platform::askToRaise(name, std::chrono::seconds(2))) {
            m_exitStatus = 0;
            return;
        }
        if (m_lock.retry() == storage::FolderLock::State::Held)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    std::fprintf(stderr, "brumvelda: a játék már fut ebben a mappában (%s), de nem válaszol\n",
                 dataFolder.c_str());
    m_exitStatus = 1;
}

SingleInstance::~SingleInstance()
{
    // The listener's thread may be handing a request over: it ends before the receiver goes.
    m_listener.reset();
}

void SingleInstance::answerRequests()
{
    if (!m_listener)
        return;
    // The listener's thread hands each request to the event loop, which also runs under a start-up message,
    // and answers once the window is up (or after a while, should the loop be busy).
    m_receiver = std::make_unique<QObject>();
    m_listener->serve([this] {
        auto raised = std::make_shared<std::promise<void>>();
        auto done = raised->get_future();
        QMetaObject::invokeMethod(
            m_receiver.get(),
            [this, raised] {
                showAndActivate(m_window);
                raised->set_value();
            },
            Qt::QueuedConnection);
        done.wait_for(std::chrono::seconds(1));
    });
}

void SingleInstance::raiseOnRequest(QWidget& window) { m_window = &window; }
