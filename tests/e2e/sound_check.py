#!/usr/bin/env python3
"""Reads what a sound server's null sink played, recorded from its monitor as raw 16-bit mono
samples at 22050 Hz (the prompts' own format, so the recording holds the prompts' samples as
they are).

  sound_check.py mark REC                  print the recording's length in samples
  sound_check.py wait start|end REC MARK   wait until a sound starts after sample MARK, or has
                                           started and ended (MARK from "mark")
  sound_check.py check REC FOLDER PLAN...  check the sounds after the first mark in order: each
                                           PLAN entry is a prompt file in FOLDER played whole, or
                                           CUT:FIRST:THEN, FIRST cut short by THEN played whole
"""
import array
import os
import sys
import time
import wave

RATE = 22050
LOUD = 300                # a sample above this is sound; the prompts' own pauses stay below
GAP = int(0.8 * RATE)     # silence this long ends a sound (a prompt's longest pause is ~0.4 s)
SETTLE = int(0.15 * RATE)  # where one sound cuts another, the server may mix this much of both
WAIT_SECONDS = 150


def samples(path, start=0):
    with open(path, "rb") as f:
        f.seek(2 * start)
        data = f.read()
    a = array.array("h")
    a.frombytes(data[: len(data) // 2 * 2])
    return a


def stretches(a, offset=0):
    """(first, last) loud sample of each sound, sounds apart by at least GAP of silence."""
    found, first, last = [], None, None
    for i, v in enumerate(a):
        if v > LOUD or v < -LOUD:
            if first is not None and i - last >= GAP:
                found.append((offset + first, offset + last))
                first = None
            if first is None:
                first = i
            last = i
    if first is not None:
        found.append((offset + first, offset + last))
    return found, (len(a) - 1 - last if last is not None else len(a))


def prompt(folder, name):
    with wave.open(os.path.join(folder, name)) as w:
        assert (w.getframerate(), w.getnchannels(), w.getsampwidth()) == (RATE, 1, 2), name
        a = array.array("h", w.readframes(w.getnframes()))
    loud = [i for i, v in enumerate(a) if abs(v) > LOUD]
    return a[loud[0]: loud[-1] + 1]


def same(rec, at, wav, start=0):
    """Whether the recording from sample at holds wav[start:] (a unit of rounding allowed)."""
    n = len(wav) - start
    if at < 0 or at + n > len(rec):
        return False
    differ = sum(1 for k in range(n) if abs(rec[at + k] - wav[start + k]) > 1)
    return differ <= n // 100


def seconds(n):
    return f"{n / RATE:.2f} s"


def wait(what, rec, mark):
    deadline = time.monotonic() + WAIT_SECONDS
    while time.monotonic() < deadline:
        found, quiet = stretches(samples(rec, mark), mark)
        if found and (what == "start" or quiet >= GAP):
            return 0
        time.sleep(0.05)
    return f"no sound {'started' if what == 'start' else 'ended'} within {WAIT_SECONDS} s"


def check(rec, folder, plan):
    a = samples(rec)
    found, _ = stretches(a)
    print("sounds heard: " + ", ".join(f"{seconds(s)}-{seconds(e + 1)}" for s, e in found))
    if len(found) != len(plan):
        return f"{len(found)} sounds were heard, {len(plan)} expected ({' '.join(plan)})"
    for (first, last), entry in zip(found, plan):
        heard = last + 1 - first
        if entry.startswith("CUT:"):
            _, first_name, then = entry.split(":")
            cut, whole = prompt(folder, first_name), prompt(folder, then)
            # THEN is heard whole after its first moments, unmixed: the first prompt has stopped.
            end = last + 1 - len(whole)
            if not same(a, end + SETTLE, whole, SETTLE):
                return f"{then} is not heard whole and alone after {first_name} ({seconds(heard)})"
            if heard >= len(cut) + len(whole):
                return f"{first_name} played on in full before {then} ({seconds(heard)})"
            print(f"{first_name} cut short by {then}: {seconds(heard)} heard, {then} alone "
                  f"{seconds(len(whole))}")
            continue
        wav = prompt(folder, entry)
        if abs(heard - len(wav)) > len(wav) // 10:
            return f"{entry} lasts {seconds(len(wav))}, the sound heard {seconds(heard)}"
        if not same(a, first, wav):
            return f"the sound at {seconds(first)} is not {entry}"
        print(f"{entry}: {seconds(heard)} heard, {seconds(len(wav))} in the file")
    return 0


def main(argv):
    if argv[1] == "mark":
        print(len(samples(argv[2])))
        return 0
    if argv[1] == "wait":
        return wait(argv[2], argv[3], int(argv[4]))
    return check(argv[2], argv[3], argv[4:])


if __name__ == "__main__":
    sys.exit(main(sys.argv))
