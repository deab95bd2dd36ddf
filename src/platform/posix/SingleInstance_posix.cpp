#include "platform/SingleInstance.h"

#include <QSocketNotifier>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

#include "platform/FileHandle.h"

namespace platform {
namespace {

// What a later copy writes; copies that listened through Qt's local server
// looked for this text.
constexpr char kRaise[] = "RAISE\n";

std::string SocketPath(const std::string& name) {
  const char* instance = std::getenv("TALVEX_INSTANCE_NAME");
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  struct stat st {};
  std::string dir = runtime && *runtime && stat(runtime, &st) == 0 && S_ISDIR(st.st_mode) ? runtime : "";
  if (dir.empty()) {
    const char* tmp = std::getenv("TMPDIR");
    dir = tmp && *tmp ? tmp : "/tmp";
  }
  return dir + "/" + (instance ? std::string(instance) : name);
}

bool Address(const std::string& path, sockaddr_un& address) {
  address = {};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof(address.sun_path)) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return true;
}

FileHandle LocalSocket() { return FileHandle(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0)); }

// Holds the lock file while the copy finds out whether it is the first:
// waits at most five seconds for another copy doing the same.
FileHandle LockTurn(const std::string& path) {
  FileHandle lock(open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
  if (!lock.Valid()) return lock;
  for (int waited = 0; flock(lock.Get(), LOCK_EX | LOCK_NB) != 0 && waited < 5000; waited += 10)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return lock;  // closing it ends the turn
}

}  // namespace

struct SingleInstance::State {
  std::string path;
  FileHandle listener;
  std::unique_ptr<QSocketNotifier> notifier;
  std::function<void()> onRaise;
};

SingleInstance::SingleInstance(const std::string& name) : m(std::make_unique<State>()) {
  m->path = SocketPath(name);
}

SingleInstance::~SingleInstance() {
  if (!m->listener.Valid()) return;
  m->notifier.reset();
  m->listener.Close();
  unlink(m->path.c_str());
}

bool SingleInstance::BecomeFirstOrRaiseOther(std::function<void()> onRaise) {
  const FileHandle turn = LockTurn(m->path + ".lock");
  sockaddr_un address;
  if (!Address(m->path, address)) return true;
  const auto* any = reinterpret_cast<const sockaddr*>(&address);

  FileHandle probe = LocalSocket();
  if (probe.Valid() && connect(probe.Get(), any, sizeof address) == 0) {
    // The running copy takes the connection as the request; the text may
    // find the socket closed already, which must not end this copy by a signal.
    [[maybe_unused]] const ssize_t sent = send(probe.Get(), kRaise, sizeof kRaise - 1, MSG_NOSIGNAL);
    return false;
  }
  // Nobody answered: a socket left by a copy that crashed is stale.
  unlink(m->path.c_str());
  FileHandle listener = LocalSocket();
  if (!listener.Valid() || bind(listener.Get(), any, sizeof address) != 0) return true;
  chmod(m->path.c_str(), 0600);  // only this user's copies may ask
  if (listen(listener.Get(), 8) != 0) {
    unlink(m->path.c_str());
    return true;
  }
  fcntl(listener.Get(), F_SETFL, fcntl(listener.Get(), F_GETFL) | O_NONBLOCK);
  m->listener = std::move(listener);
  m->onRaise = std::move(onRaise);
  m->notifier = std::make_unique<QSocketNotifier>(m->listener.Get(), QSocketNotifier::Read);
  QObject::connect(m->notifier.get(), &QSocketNotifier::activated, [state = m.get()] {
    bool asked = false;
    while (true) {
      const FileHandle peer(accept4(state->listener.Get(), nullptr, nullptr, SOCK_CLOEXEC));
      if (!peer.Valid()) break;
      asked = true;
    }
    if (asked && state->onRaise) state->onRaise();
  });
  return true;
}

}  // namespace platform
