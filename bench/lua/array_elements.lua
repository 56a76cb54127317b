-- (c) Element reads and writes of a 100x100 array, the same work as
-- BM_ArrayElements. The array is made once, as Data makes it in CREATE.
a = {}
for r = 0, 99 do
  a[r] = {}
  for c = 0, 99 do a[r][c] = 0 end
end

function pass()
  i = 0
  for _ = 1, 100 do
    j = 0
    for _ = 1, 100 do
      a[i][j] = a[i][j] + i * j
      j = j + 1
    end
    i = i + 1
  end
end
