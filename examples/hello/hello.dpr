program Hello;

{$APPTYPE CONSOLE}

uses
  SysUtils,
  Greet in 'greet.pas';

var
  Name: string;

begin
  if ParamCount > 0 then
    Name := ParamStr(1)
  else
    Name := 'World';
  Writeln(Greeting(Name));
  Writeln('Today is ', FormatDateTime('dddd, d. mmmm yyyy', Date), '.');
end.
