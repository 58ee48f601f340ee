unit Greet;

{ Builds the greeting the demo program prints. }

interface

function Greeting(const Name: string): string;

implementation

uses
  SysUtils;

type
  TDayPart = (dpMorning, dpAfternoon, dpEvening);

function DayPart(Time: TDateTime): TDayPart;
var
  Hour, Min, Sec, MSec: Word;
begin
  DecodeTime(Time, Hour, Min, Sec, MSec);
  case Hour of
    0..11: Result := dpMorning;
    12..17: Result := dpAfternoon;
  else
    Result := dpEvening;
  end;
end;

function Greeting(const Name: string): string;
const
  Salutes: array[TDayPart] of string = ('Good morning', 'Good afternoon', 'Good evening');
begin
  Result := Format('%s, %s!', [Salutes[DayPart(Time)], Trim(Name)]);
end;

end.
