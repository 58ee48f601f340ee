program Slow;

{$APPTYPE CONSOLE}

{ The stand-in compiler takes five seconds over this program, so that waiting for a
  compile can be watched and measured. }
{$STANDIN_DELAY 5000}

uses
  Windows;

var
  Start: DWORD;

begin
  Start := GetTickCount;
  Writeln('Counting to three...');
  Sleep(3000);
  Writeln('Done after ', (GetTickCount - Start) div 1000, ' seconds.');
end.
