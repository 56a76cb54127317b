-- (a) One assignment in a nested loop, the same work as BM_Increment.
function pass()
  s = 0
  for _ = 1, 1000 do
    for _ = 1, 1000 do
      s = s + 1
    end
  end
end
