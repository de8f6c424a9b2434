# Sourced by the scripts that start the real editor: what a first start sends and writes.

# The restored preset, then the default preset loaded group by group: 33 messages.
expected_wire="0 C0 0E|0 C0 00|0 B0 0C 31 00|0 B0 0D 00|0 B0 0E 00|0 B0 0F 00|0 B0 10 00|\
0 B0 15 00|0 B0 11 00|0 F0 00 01 0C 03 07 0D 00 00 00 00 00 00 F7|\
0 F0 00 01 0C 03 07 0D 00 00 00 00 00 00 F7|0 B0 0D 40|0 B0 0E 40|0 B0 0F 40|0 B0 10 40|\
0 B0 15 40|0 B0 11 40|0 B0 5B 31 00|0 B0 5C 00|0 B0 5D 00|0 B0 5E 00|0 B0 5F 00|0 B0 66 00|\
0 B0 67 00|0 F0 00 01 0C 03 07 0D 00 02 00 00 00 00 F7 00|0 B0 5C 40|0 B0 5D 40|0 B0 5E 40|\
0 B0 5F 40|0 B0 66 40|0 B0 67 40|0 B0 6F 7F|0 B0 70 00|"
# How many messages each group sends at once before a pause.
expected_groups="2 7 2 6 7 1 6 1 1"

new_config=$'[Variax]\r\nShow=YES\r\n[MIDI]\r\nIn=\r\nOut=0\r\n[PRESETS]\r\nSHOW=YES\r\nBANK=USER\r\nNUMBER=1\r\nLETTER=A\r\n[KNOBS]\r\nFACTOR=8\r\n[CONFIG]\r\nLanguage=EN\r\n'
default_preset() {
  printf '[AMP1]\r\nPower=ON\r\nAmp=Bypass (no amp)\r\nCab=Bypass (no cab)\r\nDRIVE1=%s\r\n' "$1"
  printf 'BASS1=256\r\nMID1=256\r\nTREB1=256\r\nPRES1=256\r\nVOL1=256\r\n'
  printf '[AMP2]\r\nPower=OFF\r\nAmp=Bypass (no amp)\r\nCab=Bypass (no cab)\r\nDRIVE2=256\r\n'
  printf 'BASS2=256\r\nMID2=256\r\nTREB2=256\r\nPRES2=256\r\nVOL2=256\r\n'
  printf '[Variax]\r\nGuitar=\r\n'
}

# The sizes of the groups of a capture: lines less than 100 ms apart belong together, and a
# group must start at least a pause (500 ms) after the one before. Prints "uneven" otherwise.
capture_groups() {
  awk 'NR > 1 && $1 - last >= 100 && $1 - last < 500 { print "uneven"; exit }
       NR > 1 && $1 - last >= 500 { printf "%d ", n; n = 0 }
       { n++; last = $1 } END { printf "%d\n", n }' "$1"
}

# A first start's state, then handed_preset loaded as Open does: 35 messages.
handed_preset() { default_preset 224 | sed '0,/Amp=Bypass (no amp)/s//Amp=Line6 Tube Preamp/'; }
bypass_cab1="0 F0 00 01 0C 03 07 0D 00 00 00 00 00 00 F7"
cab2="0 F0 00 01 0C 03 07 0D 00 02 00 00 00 00 F7 00"
handed_load_wire="0 B0 0C 2D 00|0 B0 0D 40|0 B0 0E 40|0 B0 0F 40|0 B0 10 40|0 B0 15 40|\
0 B0 11 40|$bypass_cab1|$bypass_cab1|$bypass_cab1|$bypass_cab1|0 B0 0D 38|0 B0 0E 40|0 B0 0F 40|\
0 B0 10 40|0 B0 15 40|0 B0 11 40|0 B0 5B 31 00|0 B0 5C 40|0 B0 5D 40|0 B0 5E 40|0 B0 5F 40|\
0 B0 66 40|0 B0 67 40|$cab2|$cab2|$cab2|0 B0 5C 40|0 B0 5D 40|0 B0 5E 40|0 B0 5F 40|0 B0 66 40|\
0 B0 67 40|0 B0 6F 7F|0 B0 70 00|"
