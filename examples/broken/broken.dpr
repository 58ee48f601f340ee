program Broken;

{$APPTYPE CONSOLE}

{ The main block below is never closed: the compiler reports the missing END. }

var
  I: Integer;

begin
  for I := 1 to 10 do
  begin
    Write(I, ' ');
    if I mod 5 = 0 then
      Writeln;
  end;
