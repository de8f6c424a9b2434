// A desktop session manager reduced to what a logout does to one client, for the real-window
// tests: it listens on a local ICE socket and prints SESSION_MANAGER=... for the editor; it
// answers the client's registration with the first save every manager asks for (local, no
// shutdown); on SIGUSR2 it asks for a checkpoint (both kinds, no shutdown); on SIGUSR1 for the
// logout's save (both kinds, shutdown, any interaction) and, once the client says it is done,
// tells it to die. It ends with status 0 when the
// client closes its connection, and prints each step on its own line for the script to read.

#include <poll.h>
#include <sys/signalfd.h>

#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <X11/ICE/ICElib.h>
#include <X11/SM/SMlib.h>

namespace {

constexpr int kErrorLength = 256;

SmsConn session = nullptr;
bool logoutAsked = false;
bool clientGone = false;

void Say(const char* step) {
  std::printf("%s\n", step);
  std::fflush(stdout);
}

// Only a client on this machine's local socket is let in.
Bool LocalOnly(char* hostName) {
  return hostName != nullptr && std::strncmp(hostName, "local/", 6) == 0 ? True : False;
}

Status RegisterClient(SmsConn sms, SmPointer, char*) {
  char* id = SmsGenerateClientID(sms);
  const Status status = SmsRegisterClientReply(sms, id);
  std::free(id);
  Say("registered");
  SmsSaveYourself(sms, SmSaveLocal, False, SmInteractStyleNone, False);
  return status;
}

void InteractRequest(SmsConn sms, SmPointer, int) {
  Say("interact");
  SmsInteract(sms);
}

void InteractDone(SmsConn, SmPointer, Bool cancelShutdown) {
  Say(cancelShutdown ? "interact-done cancel" : "interact-done");
}

void SaveYourselfRequest(SmsConn, SmPointer, int, Bool, int, Bool, Bool) {}

void SaveYourselfPhase2Request(SmsConn sms, SmPointer) {
  SmsSaveYourselfPhase2(sms);
}

void SaveYourselfDone(SmsConn sms, SmPointer, Bool success) {
  Say(success ? "save-done" : "save-failed");
  if (logoutAsked) {
    Say("die");
    SmsDie(sms);
  }
}

void CloseConnection(SmsConn sms, SmPointer, int count, char** reasons) {
  SmFreeReasons(count, reasons);
  IceConn ice = SmsGetIceConnection(sms);
  SmsCleanUp(sms);
  IceSetShutdownNegotiation(ice, False);
  IceCloseConnection(ice);
  clientGone = true;
  Say("closed");
}

void SetProperties(SmsConn, SmPointer, int count, SmProp** properties) {
  for (int i = 0; i < count; ++i) {
    SmFreeProperty(properties[i]);
  }
  std::free(properties);
}

void DeleteProperties(SmsConn, SmPointer, int count, char** names) {
  SmFreeReasons(count, names);
}

void GetProperties(SmsConn sms, SmPointer) {
  SmsReturnProperties(sms, 0, nullptr);
}

Status NewClient(SmsConn sms, SmPointer, unsigned long* mask, SmsCallbacks* callbacks, char**) {
  session = sms;
  *callbacks = {};
  callbacks->register_client.callback = RegisterClient;
  callbacks->interact_request.callback = InteractRequest;
  callbacks->interact_done.callback = InteractDone;
  callbacks->save_yourself_request.callback = SaveYourselfRequest;
  callbacks->save_yourself_phase2_request.callback = SaveYourselfPhase2Request;
  callbacks->save_yourself_done.callback = SaveYourselfDone;
  callbacks->close_connection.callback = CloseConnection;
  callbacks->set_properties.callback = SetProperties;
  callbacks->delete_properties.callback = DeleteProperties;
  callbacks->get_properties.callback = GetProperties;
  *mask = SmsRegisterClientProcMask | SmsInteractRequestProcMask | SmsInteractDoneProcMask |
          SmsSaveYourselfRequestProcMask | SmsSaveYourselfP2RequestProcMask |
          SmsSaveYourselfDoneProcMask | SmsCloseConnectionProcMask | SmsSetPropertiesProcMask |
          SmsDeletePropertiesProcMask | SmsGetPropertiesProcMask;
  return 1;
}

int Fail(const char* what, const char* error) {
  std::fprintf(stderr, "session manager: %s: %s\n", what, error);
  return 1;
}

}  // namespace

int main() {
  char error[kErrorLength] = "";
  // ICE's own handler ends the program at once; a broken client is reported below instead.
  IceSetIOErrorHandler([](IceConn) {});
  if (!SmsInitialize("velmora-tests", "1.0", NewClient, nullptr, LocalOnly, kErrorLength, error)) {
    return Fail("no session management", error);
  }
  int listenerCount = 0;
  IceListenObj* listeners = nullptr;
  if (!IceListenForConnections(&listenerCount, &listeners, kErrorLength, error)) {
    return Fail("cannot listen", error);
  }
  std::string address;
  std::vector<pollfd> watched;
  std::vector<IceListenObj> local;
  for (int i = 0; i < listenerCount; ++i) {
    IceSetHostBasedAuthProc(listeners[i], LocalOnly);
    char* id = IceGetListenConnectionString(listeners[i]);
    if (std::strncmp(id, "local/", 6) == 0) {
      address += (address.empty() ? "" : ",") + std::string(id);
      watched.push_back({IceGetListenConnectionNumber(listeners[i]), POLLIN, 0});
      local.push_back(listeners[i]);
    }
    std::free(id);
  }
  if (address.empty()) {
    return Fail("cannot listen", "no local socket");
  }

  sigset_t requests;
  sigemptyset(&requests);
  sigaddset(&requests, SIGUSR1);
  sigaddset(&requests, SIGUSR2);
  sigprocmask(SIG_BLOCK, &requests, nullptr);
  const int signals = signalfd(-1, &requests, SFD_CLOEXEC);
  std::printf("SESSION_MANAGER=%s\n", address.c_str());
  std::fflush(stdout);

  IceConn client = nullptr;
  while (!clientGone) {
    std::vector<pollfd> ready = watched;
    ready.push_back({signals, POLLIN, 0});
    if (client != nullptr) {
      ready.push_back({IceConnectionNumber(client), POLLIN, 0});
    }
    if (poll(ready.data(), ready.size(), -1) < 0) {
      return Fail("poll", std::strerror(errno));
    }
    for (std::size_t i = 0; i < watched.size(); ++i) {
      if ((ready[i].revents & POLLIN) == 0 || client != nullptr) {
        continue;
      }
      IceAcceptStatus accepted;
      client = IceAcceptConnection(local[i], &accepted);
      if (client == nullptr) {
        return Fail("accept", "refused");
      }
      while (IceConnectionStatus(client) == IceConnectPending) {
        IceProcessMessages(client, nullptr, nullptr);
      }
      if (IceConnectionStatus(client) != IceConnectAccepted) {
        return Fail("accept", "the connection was not set up");
      }
    }
    if ((ready[watched.size()].revents & POLLIN) != 0) {
      signalfd_siginfo info;
      if (read(signals, &info, sizeof info) == sizeof info && session != nullptr) {
        logoutAsked = info.ssi_signo == SIGUSR1;
        Say(logoutAsked ? "logout" : "checkpoint");
        SmsSaveYourself(session, SmSaveBoth, logoutAsked ? True : False,
                        logoutAsked ? SmInteractStyleAny : SmInteractStyleNone, False);
      }
    }
    if (client != nullptr && ready.size() > watched.size() + 1 &&
        (ready.back().revents & (POLLIN | POLLHUP)) != 0) {
      if (IceProcessMessages(client, nullptr, nullptr) == IceProcessMessagesIOError) {
        return Fail("client", "the connection broke");
      }
    }
  }
  IceFreeListenObjs(listenerCount, listeners);
  return 0;
}
