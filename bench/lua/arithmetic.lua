-- (b) A longer expression with * and %, the same work as BM_Arithmetic.
function pass()
  s = 0
  for _ = 1, 1000 do
    for _ = 1, 1000 do
      x = (s * 3 + 7) % 11
      s = s + 1
    end
  end
end
