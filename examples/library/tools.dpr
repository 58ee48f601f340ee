library Tools;

{ A small DLL: string helpers exported for other programs. }

uses
  SysUtils,
  Windows;

function ReverseText(Source, Dest: PChar; DestSize: Integer): Integer; stdcall;
var
  Len, I: Integer;
begin
  Len := StrLen(Source);
  if Len >= DestSize then
  begin
    Result := -1;
    Exit;
  end;
  for I := 0 to Len - 1 do
    Dest[I] := Source[Len - 1 - I];
  Dest[Len] := #0;
  Result := Len;
end;

function CountWords(Source: PChar): Integer; stdcall;
var
  InWord: Boolean;
begin
  Result := 0;
  InWord := False;
  while Source^ <> #0 do
  begin
    if Source^ in [' ', #9, #13, #10] then
      InWord := False
    else if not InWord then
    begin
      InWord := True;
      Inc(Result);
    end;
    Inc(Source);
  end;
end;

exports
  ReverseText,
  CountWords;

begin
end.
