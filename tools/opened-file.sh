# Sourced by the scripts that check an installed editor opening a .vmp: the file, and what
# its load sends after the start-up. Not a program of its own.

# Writes the preset: AMP1 on the Line6 Tube Preamp with DRIVE1 at 224, AMP2 off.
write_opened_file() {
  {
    printf '[AMP1]\r\nPower=ON\r\nAmp=Line6 Tube Preamp\r\nCab=Bypass (no cab)\r\nDRIVE1=224\r\n'
    printf 'BASS1=256\r\nMID1=256\r\nTREB1=256\r\nPRES1=256\r\nVOL1=256\r\n'
    printf '[AMP2]\r\nPower=OFF\r\nAmp=Bypass (no amp)\r\nCab=Bypass (no cab)\r\nDRIVE2=256\r\n'
    printf 'BASS2=256\r\nMID2=256\r\nTREB2=256\r\nPRES2=256\r\nVOL2=256\r\n[Variax]\r\nGuitar=\r\n'
  } >"$1"
}

# A first start sends 33 messages (the stored preset USER 1A, then the empty state); the
# file's load follows with these 35, one per "|": each amp group sends again the knobs and,
# twice, the cab the state had before, as a load after a load does.
opened_file_lines=68
opened_file_wire() {
  local cab1="0 F0 00 01 0C 03 07 0D 00 00 00 00 00 00 F7"
  local cab2="0 F0 00 01 0C 03 07 0D 00 02 00 00 00 00 F7 00"
  echo "0 B0 0C 2D 00|0 B0 0D 40|0 B0 0E 40|0 B0 0F 40|0 B0 10 40|0 B0 15 40|0 B0 11 40|\
$cab1|$cab1|$cab1|$cab1|0 B0 0D 38|0 B0 0E 40|0 B0 0F 40|0 B0 10 40|0 B0 15 40|0 B0 11 40|\
0 B0 5B 31 00|0 B0 5C 40|0 B0 5D 40|0 B0 5E 40|0 B0 5F 40|0 B0 66 40|0 B0 67 40|\
$cab2|$cab2|$cab2|0 B0 5C 40|0 B0 5D 40|0 B0 5E 40|0 B0 5F 40|0 B0 66 40|0 B0 67 40|\
0 B0 6F 7F|0 B0 70 00|"
}

# What capture file $1 holds after the start-up, without times and Windows line ends.
wire_after_startup() { tail -n +34 "$1" | cut -d' ' -f2- | tr -d '\r' | tr '\n' '|'; }
