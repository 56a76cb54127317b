-- (e) An if per pass, true for the first half, the same work as BM_If.
function pass()
  s = 0
  n = 0
  for _ = 1, 1000 do
    for _ = 1, 1000 do
      if n < 500000 then
        s = s + 1
      end
      n = n + 1
    end
  end
end
