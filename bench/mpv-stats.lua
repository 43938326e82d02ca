-- Reports mpv's dropped frames on standard error when it ends, in the form the
-- bench reads: "mpv-stats: dropped=<output drops> decoder_dropped=<decoder drops>".
local dropped, decoder_dropped = 0, 0

mp.observe_property("frame-drop-count", "number", function(_, value)
    if value then dropped = value end
end)
mp.observe_property("decoder-frame-drop-count", "number", function(_, value)
    if value then decoder_dropped = value end
end)

mp.register_event("shutdown", function()
    io.stderr:write(string.format("mpv-stats: dropped=%d decoder_dropped=%d\n",
                                  dropped, decoder_dropped))
    io.stderr:flush()
end)
