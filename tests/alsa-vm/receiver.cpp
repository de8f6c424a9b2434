// The far end of the sequencer tests: takes events from a port and prints their MIDI bytes
// as they came (aseqdump rewrites what it shows), stamped with sequencer time, and sends
// given bytes into a port, a SysEx in pieces when asked.
//
//   receiver listen SOURCE|- MS [--name NAME] [--drop-after N] [-- COMMAND...]
//     Subscribes to SOURCE (client:port), or with "-" offers a port of its own named NAME
//     that others write to. Without COMMAND it listens MS milliseconds; with COMMAND it runs
//     it and listens until it has ended and MS more milliseconds have passed. After N events
//     it deletes its port (the device going away) and prints nothing more.
//     Lines: "R client:port" once ready, "S ms" when COMMAND starts, "E ms BYTES" per event,
//     "X status" when COMMAND ended (status 128+n for a signal n). COMMAND finds the number
//     of the queue that stamps the events in VELMORA_RECEIVER_QUEUE.
//   receiver send DEST [--pieces N] BYTES...
//     Sends each BYTES argument, one whole message ("B0 07 64"), as one event; a SysEx
//     cut into events of N bytes with --pieces.

#include <alsa/asoundlib.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

[[noreturn]] void Fail(const char* what, int error) {
  std::fprintf(stderr, "receiver: %s: %s\n", what, error < 0 ? snd_strerror(error) : "");
  std::exit(1);
}

void Check(int result, const char* what) {
  if (result < 0) {
    Fail(what, result);
  }
}

snd_seq_t* OpenSequencer() {
  snd_seq_t* seq = nullptr;
  Check(snd_seq_open(&seq, "default", SND_SEQ_OPEN_DUPLEX, 0), "open the sequencer");
  snd_seq_set_client_name(seq, "Velmora Receiver");
  // A whole 1000-byte SysEx must fit the input buffer as one event.
  snd_seq_set_input_buffer_size(seq, 65536);
  return seq;
}

snd_seq_addr_t ParseAddress(snd_seq_t* seq, const char* text) {
  snd_seq_addr_t address;
  Check(snd_seq_parse_address(seq, &address, text), text);
  return address;
}

Bytes ParseBytes(const char* text) {
  Bytes bytes;
  for (const char* p = text; *p != '\0';) {
    if (*p == ' ') {
      ++p;
      continue;
    }
    char digits[3] = {p[0], p[1], '\0'};
    char* end = nullptr;
    bytes.push_back(static_cast<unsigned char>(std::strtoul(digits, &end, 16)));
    if (p[1] == '\0' || end != digits + 2) {
      std::fprintf(stderr, "receiver: \"%s\" is not hexadecimal byte text\n", text);
      std::exit(2);
    }
    p += 2;
  }
  return bytes;
}

double Milliseconds(const snd_seq_real_time_t& time) {
  return time.tv_sec * 1000.0 + time.tv_nsec / 1e6;
}

double QueueMilliseconds(snd_seq_t* seq, int queue) {
  snd_seq_queue_status_t* status = nullptr;
  snd_seq_queue_status_alloca(&status);
  Check(snd_seq_get_queue_status(seq, queue, status), "read the queue time");
  return Milliseconds(*snd_seq_queue_status_get_real_time(status));
}

// The event's bytes: SysEx as carried, anything else decoded with its status byte.
Bytes EventBytes(snd_midi_event_t* parser, const snd_seq_event_t& event) {
  if (event.type == SND_SEQ_EVENT_SYSEX) {
    const auto* data = static_cast<const unsigned char*>(event.data.ext.ptr);
    return Bytes(data, data + event.data.ext.len);
  }
  Bytes bytes(32);
  snd_midi_event_reset_decode(parser);
  const long count = snd_midi_event_decode(parser, bytes.data(), 32, &event);
  bytes.resize(count > 0 ? static_cast<std::size_t>(count) : 0);
  return bytes;
}

struct ListenOptions {
  const char* source = "-";
  long lingerMs = 0;
  const char* name = "in";
  long dropAfter = -1;
  char** command = nullptr;
};

// The command learns our queue, whose time stamps the events, from VELMORA_RECEIVER_QUEUE.
pid_t StartCommand(char** command, int queue) {
  const pid_t child = fork();
  if (child == 0) {
    setenv("VELMORA_RECEIVER_QUEUE", std::to_string(queue).c_str(), 1);
    execvp(command[0], command);
    std::fprintf(stderr, "receiver: cannot run %s: %s\n", command[0], std::strerror(errno));
    _exit(127);
  }
  if (child < 0) {
    Fail("fork", -errno);
  }
  return child;
}

int Listen(const ListenOptions& options) {
  snd_seq_t* seq = OpenSequencer();
  const int queue = snd_seq_alloc_queue(seq);
  Check(queue, "allocate a queue");
  snd_seq_port_info_t* info = nullptr;
  snd_seq_port_info_alloca(&info);
  snd_seq_port_info_set_name(info, options.name);
  const bool own = std::strcmp(options.source, "-") == 0;
  snd_seq_port_info_set_capability(
      info, SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE |
                (own ? 0u : static_cast<unsigned>(SND_SEQ_PORT_CAP_NO_EXPORT)));
  snd_seq_port_info_set_type(info, SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
  // The kernel stamps every event with the queue's real time as it reaches the port.
  snd_seq_port_info_set_timestamping(info, 1);
  snd_seq_port_info_set_timestamp_real(info, 1);
  snd_seq_port_info_set_timestamp_queue(info, queue);
  Check(snd_seq_create_port(seq, info), "create the port");
  const int port = snd_seq_port_info_get_port(info);
  Check(snd_seq_start_queue(seq, queue, nullptr), "start the queue");
  Check(snd_seq_drain_output(seq), "start the queue");
  if (!own) {
    const snd_seq_addr_t source = ParseAddress(seq, options.source);
    Check(snd_seq_connect_from(seq, port, source.client, source.port), options.source);
  }
  snd_midi_event_t* parser = nullptr;
  Check(snd_midi_event_new(32, &parser), "make a parser");
  snd_midi_event_no_status(parser, 1);
  std::printf("R %d:%d\n", snd_seq_client_id(seq), port);
  std::fflush(stdout);

  pid_t child = -1;
  if (options.command != nullptr) {
    std::printf("S %.3f\n", QueueMilliseconds(seq, queue));
    std::fflush(stdout);
    child = StartCommand(options.command, queue);
  }
  double end = QueueMilliseconds(seq, queue) + options.lingerMs;
  long events = 0;
  bool portAlive = true;
  int fdCount = snd_seq_poll_descriptors_count(seq, POLLIN);
  std::vector<pollfd> fds(static_cast<std::size_t>(fdCount));
  snd_seq_poll_descriptors(seq, fds.data(), static_cast<unsigned>(fdCount), POLLIN);
  while (true) {
    if (child > 0) {
      int status = 0;
      if (waitpid(child, &status, WNOHANG) == child) {
        std::printf("X %d\n", WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
        std::fflush(stdout);
        child = -1;
        end = QueueMilliseconds(seq, queue) + options.lingerMs;
      }
    }
    const double now = QueueMilliseconds(seq, queue);
    if (child < 0 && now >= end) {
      break;
    }
    if (poll(fds.data(), fds.size(), 10) <= 0) {
      continue;
    }
    do {
      snd_seq_event_t* event = nullptr;
      if (snd_seq_event_input(seq, &event) < 0 || event == nullptr) {
        break;
      }
      const Bytes bytes = EventBytes(parser, *event);
      if (bytes.empty() || !portAlive) {
        continue;
      }
      std::printf("E %.3f", Milliseconds(event->time.time));
      for (const unsigned char byte : bytes) {
        std::printf(" %02X", byte);
      }
      std::printf("\n");
      std::fflush(stdout);
      if (++events == options.dropAfter) {
        Check(snd_seq_delete_simple_port(seq, port), "delete the port");
        portAlive = false;
      }
    } while (snd_seq_event_input_pending(seq, 0) > 0);
  }
  snd_midi_event_free(parser);
  snd_seq_close(seq);
  return 0;
}

int Send(const char* destination, long pieces, char** texts, int count) {
  snd_seq_t* seq = OpenSequencer();
  const int port =
      snd_seq_create_simple_port(seq, "out", SND_SEQ_PORT_CAP_READ, SND_SEQ_PORT_TYPE_MIDI_GENERIC);
  Check(port, "create the port");
  const snd_seq_addr_t dest = ParseAddress(seq, destination);
  snd_midi_event_t* parser = nullptr;
  Check(snd_midi_event_new(4096, &parser), "make a parser");
  for (int i = 0; i < count; ++i) {
    const Bytes bytes = ParseBytes(texts[i]);
    std::size_t step = bytes.size();
    if (!bytes.empty() && bytes.front() == 0xF0 && pieces > 0) {
      step = static_cast<std::size_t>(pieces);
    }
    snd_midi_event_reset_encode(parser);
    for (std::size_t at = 0; at < bytes.size(); at += step) {
      const std::size_t length = std::min(step, bytes.size() - at);
      snd_seq_event_t event;
      snd_seq_ev_clear(&event);
      if (bytes.front() == 0xF0) {
        snd_seq_ev_set_sysex(&event, static_cast<unsigned>(length),
                             const_cast<unsigned char*>(bytes.data() + at));
      } else {
        // One message an argument: the parser completes an event with its last byte.
        std::size_t used = 0;
        int complete = 0;
        while (used < length && complete == 0) {
          complete = snd_midi_event_encode_byte(parser, bytes[at + used++], &event);
          Check(complete, texts[i]);
        }
        if (complete == 0 || used < length) {
          std::fprintf(stderr, "receiver: \"%s\" is not one whole message\n", texts[i]);
          return 2;
        }
      }
      snd_seq_ev_set_source(&event, port);
      snd_seq_ev_set_dest(&event, dest.client, dest.port);
      snd_seq_ev_set_direct(&event);
      Check(snd_seq_event_output_direct(seq, &event), "send");
    }
  }
  snd_seq_drain_output(seq);
  snd_midi_event_free(parser);
  snd_seq_close(seq);
  return 0;
}

int Usage() {
  std::fprintf(stderr,
               "usage: receiver listen SOURCE|- MS [--name NAME] [--drop-after N] [-- COMMAND...]\n"
               "       receiver send DEST [--pieces N] BYTES...\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 4 && std::strcmp(argv[1], "listen") == 0) {
    ListenOptions options;
    options.source = argv[2];
    options.lingerMs = std::atol(argv[3]);
    for (int i = 4; i < argc; ++i) {
      if (std::strcmp(argv[i], "--") == 0 && i + 1 < argc) {
        options.command = argv + i + 1;
        break;
      }
      if (i + 1 >= argc) {
        return Usage();
      }
      if (std::strcmp(argv[i], "--name") == 0) {
        options.name = argv[++i];
      } else if (std::strcmp(argv[i], "--drop-after") == 0) {
        options.dropAfter = std::atol(argv[++i]);
      } else {
        return Usage();
      }
    }
    return Listen(options);
  }
  if (argc >= 4 && std::strcmp(argv[1], "send") == 0) {
    int first = 3;
    long pieces = 0;
    if (std::strcmp(argv[3], "--pieces") == 0 && argc >= 6) {
      pieces = std::atol(argv[4]);
      first = 5;
    }
    return Send(argv[2], pieces, argv + first, argc - first);
  }
  return Usage();
}
