-- (d) A call of a one-statement function per pass, the same work as BM_Call.
function F()
  s = s + 1
end

function pass()
  s = 0
  for _ = 1, 100000 do
    F()
  end
end
