#!/bin/sh
# Makes a five-second clip with a moving test picture and a tone: MJPEG and
# PCM in AVI, which the player lists among its media files.
set -e
out="$1"
tmp="$out.tmp.avi"
gst-launch-1.0 -q -e \
  videotestsrc num-buffers=125 pattern=ball ! video/x-raw,width=320,height=240,framerate=25/1 \
    ! timeoverlay ! jpegenc ! queue ! mux. \
  audiotestsrc num-buffers=215 wave=sine freq=440 volume=0.3 \
    ! audio/x-raw,format=S16LE,rate=44100,channels=2 ! queue ! mux. \
  avimux name=mux ! filesink location="$tmp"
mv "$tmp" "$out"
