#!/usr/bin/env python3
"""wav_check.py FILE CHECK...: measures a WAV file; prints each check that fails
with the value measured, and exits 1 when one did. Checks:
  seconds=A..B      the length in seconds
  tone=A..B         the main frequency in Hz
  tone@S..E=A..B    the main frequency between second S and second E (a negative
                    second counts from the end)
The main frequency is the median over 0.1 s pieces of the rate at which the signal
rises through the middle of its range. Pieces that a dropout or silence spoils
stay a minority, so a recording made at real-time pace under load still measures
right; square waves measure as well as sines."""
import statistics
import struct
import sys
import wave


def samples(path):
    with wave.open(path, "rb") as w:
        rate, width, channels = w.getframerate(), w.getsampwidth(), w.getnchannels()
        data = w.readframes(w.getnframes())
    if width == 1:
        values = [b - 128 for b in data]
    elif width == 2:
        values = list(struct.unpack("<%dh" % (len(data) // 2), data))
    else:
        sys.exit("%s: %d-byte samples are not handled" % (path, width))
    return rate, values[::channels]


def piece_frequency(piece, rate):
    ordered = sorted(piece)
    low, high = ordered[len(ordered) // 4], ordered[3 * len(ordered) // 4]
    if high - low < 4:
        return None  # silence
    mid, band = (low + high) / 2, (high - low) / 4
    rises, below = [], False
    for i, v in enumerate(piece):
        if v < mid - band:
            below = True
        elif v > mid + band and below:
            rises.append(i)
            below = False
    if len(rises) < 3:
        return None
    return (len(rises) - 1) * rate / (rises[-1] - rises[0])


def tone(rate, values, start, end):
    first, last = int(start * rate), min(len(values), int(end * rate))
    step = rate // 10
    found = [piece_frequency(values[i:i + step], rate) for i in range(first, last - step + 1, step)]
    found = [f for f in found if f]
    return statistics.median(found) if found else 0.0


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    rate, values = samples(sys.argv[1])
    seconds = len(values) / rate
    failed = False
    for check in sys.argv[2:]:
        what, _, bounds = check.partition("=")
        low, _, high = bounds.partition("..")
        if what == "seconds":
            value = seconds
        elif what == "tone":
            value = tone(rate, values, 0, seconds)
        elif what.startswith("tone@"):
            start, end = (float(t) for t in what[5:].split(".."))
            value = tone(rate, values, start if start >= 0 else seconds + start, end if end >= 0 else seconds + end)
        else:
            sys.exit("unknown check " + check)
        if not float(low) <= value <= float(high):
            print("%s: %s measured %.3f" % (sys.argv[1], check, value))
            failed = True
    sys.exit(1 if failed else 0)


main()
