-- Runs a benchmark file's pass() repeatedly for at least half a second of
-- processor time and prints the milliseconds of one pass (the best of three
-- such rounds).
--   lua5.4 timing.lua FILE.lua
dofile(arg[1])
pass()
local best = math.huge
for _ = 1, 3 do
  local n, start = 0, os.clock()
  repeat
    pass()
    n = n + 1
  until os.clock() - start >= 0.5
  local ms = (os.clock() - start) * 1000 / n
  if ms < best then best = ms end
end
print(string.format("%.4f", best))
