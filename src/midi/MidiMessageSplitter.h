#pragma once

// Cuts a buffer of raw MIDI bytes into the complete messages it holds, for systems that
// carry messages rather than bytes (the ALSA sequencer, JACK events split per message).
//
// Rules, chosen so that what arrives is exactly what the buffer means on a MIDI wire:
// - A channel or system-common message is its status byte followed by its data bytes.
// - No running status: a data byte after a complete message belongs to no message and is
//   dropped. Our buffers always carry the status byte, and the pad 00 sent after a program
//   change ("C0 0E 00") must not become a second program change to program 0.
// - SysEx runs from F0 to F7 and stays one message. Any other non-real-time status byte
//   ends it unfinished, and an unfinished message is dropped (a receiver ignores it too).
// - Real-time bytes (F8..FF) may stand anywhere, even inside another message; each is a
//   message of its own, handed out where it stands, so it precedes the message it
//   interrupted.
// - Bytes that MIDI leaves undefined (F4, F5, F9, FD) and an F7 without F0 are dropped.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace velmora {

using MidiMessage = std::vector<std::uint8_t>;

// Length in bytes of the message this status byte starts (1..3); 0 for a data byte, for
// F0 and F7 (SysEx has no fixed length) and for the undefined status bytes.
std::size_t MidiMessageLength(std::uint8_t status);

std::vector<MidiMessage> SplitMidiMessages(std::span<const std::uint8_t> bytes);

}  // namespace velmora
