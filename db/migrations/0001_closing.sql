-- Closing and sign-on: the business-day close of an outlet, the close of a
-- POS, the cashiers' sign-on records and cash events, and the program version
-- the terminals compare themselves with.

-- Dates travel as "yyyymmdd" text, exactly as the terminal sends them.
CREATE DOMAIN yyyymmdd AS text CHECK (VALUE ~ '^[0-9]{8}$');

-- One row: the version every terminal must run, "major.minor.release.build".
CREATE TABLE program_version (
    only_row boolean PRIMARY KEY DEFAULT true CHECK (only_row),
    version  text NOT NULL CHECK (version ~ '^[0-9]+(\.[0-9]+){3}$')
);
INSERT INTO program_version (version) VALUES ('0.0.0.0');

-- The accounting close of an outlet's business day.
CREATE TABLE day_close (
    sale_date   yyyymmdd NOT NULL,
    upjang_code text NOT NULL,
    emp_no      text,
    closed_at   timestamptz NOT NULL DEFAULT now(),
    PRIMARY KEY (sale_date, upjang_code)
);

-- The close of one POS of an outlet for a business day.
CREATE TABLE pos_close (
    sale_date   yyyymmdd NOT NULL,
    upjang_code text NOT NULL,
    pos_no      text NOT NULL,
    close_no    integer NOT NULL DEFAULT 1,
    emp_no      text,
    ip          text,
    closed_at   timestamptz NOT NULL DEFAULT now(),
    PRIMARY KEY (sale_date, upjang_code, pos_no)
);

-- A cashier's shift on a POS: the first sign-on of the day opens it, the
-- cashier close sets closed_at.
CREATE TABLE cashier_signon (
    sale_date    yyyymmdd NOT NULL,
    upjang_code  text NOT NULL,
    pos_no       text NOT NULL,
    emp_no       text NOT NULL,
    ip           text,
    signed_on_at timestamptz NOT NULL DEFAULT now(),
    closed_at    timestamptz,
    PRIMARY KEY (sale_date, upjang_code, pos_no, emp_no)
);

-- The history of a cashier's shift: L sign-on, E sign-off at shutdown,
-- S float, I interim deposit, C cashier close.
CREATE TABLE cashier_event (
    event_id    bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
    sale_date   yyyymmdd NOT NULL,
    upjang_code text NOT NULL,
    pos_no      text NOT NULL,
    emp_no      text NOT NULL,
    event_kind  char(1) NOT NULL CHECK (event_kind IN ('L', 'E', 'S', 'I', 'C')),
    amount      numeric(18, 4) NOT NULL DEFAULT 0,
    ip          text,
    created_at  timestamptz NOT NULL DEFAULT now()
);
CREATE INDEX cashier_event_shift ON cashier_event (sale_date, upjang_code, pos_no, emp_no);
