#!/bin/sh
# Makes a five-second clip with a moving test picture and a tone.
set -e
out="$1"
tmp="$out.tmp.ogv"
gst-launch-1.0 -q -e \
  videotestsrc num-buffers=125 pattern=ball ! video/x-raw,width=320,height=240,framerate=25/1 \
    ! timeoverlay ! theoraenc ! queue ! mux. \
  audiotestsrc num-buffers=215 wave=sine freq=440 volume=0.3 ! audio/x-raw,rate=44100,channels=2 \
    ! audioconvert ! vorbisenc ! queue ! mux. \
  oggmux name=mux ! filesink location="$tmp"
mv "$tmp" "$out"
