-- (f) Value functions inside an expression, the same work as BM_ValueFunctions:
-- the script's sin takes degrees and its abs truncates toward zero.
function pass()
  s = 0
  for _ = 1, 100000 do
    x = math.sin(s * 0.01745329251994) + math.sqrt(s) + math.abs(s)
    s = s + 1
  end
end
