// Sends a Control Change through the first output port now and then, and prints for each
// the sequencer time just before the send, read from the receiver's queue
// (VELMORA_RECEIVER_QUEUE), so that the receiver's time stamp of its arrival gives the
// latency of the send itself.
//
//   send_latency COUNT        prints "T ms" before each send

#include <alsa/asoundlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <thread>

#include "midi/Midi.h"

namespace {

double QueueMilliseconds(snd_seq_t* seq, int queue, snd_seq_queue_status_t* status) {
  if (snd_seq_get_queue_status(seq, queue, status) < 0) {
    return -1;
  }
  const snd_seq_real_time_t* time = snd_seq_queue_status_get_real_time(status);
  return time->tv_sec * 1000.0 + time->tv_nsec / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  const char* queueText = std::getenv("VELMORA_RECEIVER_QUEUE");
  const int count = argc == 2 ? std::atoi(argv[1]) : 0;
  if (count <= 0 || queueText == nullptr) {
    std::fprintf(stderr, "usage: VELMORA_RECEIVER_QUEUE=Q send_latency COUNT\n");
    return 2;
  }
  snd_seq_t* clock = nullptr;
  if (snd_seq_open(&clock, "default", SND_SEQ_OPEN_OUTPUT, 0) < 0) {
    std::fprintf(stderr, "send_latency: the sequencer cannot be opened\n");
    return 1;
  }
  snd_seq_queue_status_t* status = nullptr;
  snd_seq_queue_status_alloca(&status);
  const int queue = std::atoi(queueText);
  int result = 0;
  try {
    velmora::TMidiOutput& output = velmora::GetMidiOutput();
    output.OpenDevice(0);
    for (int i = 0; i < count; ++i) {
      std::printf("T %.3f\n", QueueMilliseconds(clock, queue, status));
      std::fflush(stdout);
      output.SendText(0, "B0 0C 31 00");
      // Apart, so that each send meets an idle sequencer.
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "send_latency: %s\n", error.what());
    result = 1;
  }
  velmora::ReleaseMidiDevices();
  snd_seq_close(clock);
  return result;
}
