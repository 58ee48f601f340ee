unit MathUnit;

{ Small integer helpers: greatest common divisor, least common multiple and a
  checked power. }

interface

uses
  SysUtils;

type
  EMathUnitError = class(Exception);

  TFraction = record
    Num, Den: Integer;
  end;

function Gcd(A, B: Integer): Integer;
function Lcm(A, B: Integer): Integer;
function IntPower(Base: Integer; Exponent: Cardinal): Integer;
function Reduce(const F: TFraction): TFraction;

implementation

function Gcd(A, B: Integer): Integer;
var
  T: Integer;
begin
  A := Abs(A);
  B := Abs(B);
  while B <> 0 do
  begin
    T := A mod B;
    A := B;
    B := T;
  end;
  Result := A;
end;

function Lcm(A, B: Integer): Integer;
begin
  if (A = 0) or (B = 0) then
    Result := 0
  else
    Result := Abs(A div Gcd(A, B) * B);
end;

function IntPower(Base: Integer; Exponent: Cardinal): Integer;
begin
  Result := 1;
  try
    while Exponent > 0 do
    begin
      if Odd(Exponent) then
        Result := Result * Base;
      Base := Base * Base;
      Exponent := Exponent shr 1;
    end;
  except
    on EIntOverflow do
      raise EMathUnitError.Create('IntPower: result out of range');
  end;
end;

function Reduce(const F: TFraction): TFraction;
var
  D: Integer;
begin
  if F.Den = 0 then
    raise EMathUnitError.Create('Reduce: denominator is zero');
  D := Gcd(F.Num, F.Den);
  if F.Den < 0 then
    D := -D;
  Result.Num := F.Num div D;
  Result.Den := F.Den div D;
end;

end.
