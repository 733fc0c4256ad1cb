-- The cashier's day on the server: the float entered at the start of a
-- shift and the interim deposits of counted cash, the cashier closes with
-- their numbers, the day-end of an outlet (PR_KEI010_99) with the summary it
-- rebuilds, and the day log a terminal uploads after a close report.
--
-- The close figures are read by statements of the catalogue; the rules they
-- share live here, once: which sale rows belong to a terminal and to a
-- cashier's period, how a bill is told to be a sale, a return, a void or
-- COMP, and how close numbers are handed out.

-- ---------------------------------------------------------------------------
-- Float and deposits

-- One float entry (준비금) of a cashier at a POS. A cashier may enter several
-- in a shift, negative ones included (a correction of an earlier entry).
CREATE TABLE cash_float (
    float_id    bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
    sale_date   yyyymmdd NOT NULL,
    upjang_code text NOT NULL,
    pos_no      text NOT NULL,
    emp_no      text NOT NULL,
    amount      numeric(18, 4) NOT NULL,
    ip          text,
    created_at  timestamptz NOT NULL DEFAULT now()
);
CREATE INDEX cash_float_shift ON cash_float (sale_date, upjang_code, pos_no, emp_no);

-- One interim deposit (중간 입금): only the counted sum is kept, not the
-- pieces per denomination.
CREATE TABLE cash_deposit (
    deposit_id  bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
    sale_date   yyyymmdd NOT NULL,
    upjang_code text NOT NULL,
    pos_no      text NOT NULL,
    emp_no      text NOT NULL,
    amount      numeric(18, 4) NOT NULL,
    ip          text,
    created_at  timestamptz NOT NULL DEFAULT now()
);
CREATE INDEX cash_deposit_shift ON cash_deposit (sale_date, upjang_code, pos_no, emp_no);

-- ---------------------------------------------------------------------------
-- Close numbers

-- The last close number given per business date, outlet and kind of close.
-- The numbers run per outlet, not per POS: the outlet's office collects the
-- close slips of all its terminals, and a number printed on the slips of two
-- terminals would not say which close is meant. Two terminals of an outlet
-- closing at once therefore draw from one counter row, and its row lock
-- makes the second wait for the first to commit (or roll back).
CREATE TABLE close_counter (
    sale_date   yyyymmdd NOT NULL,
    upjang_code text NOT NULL,
    kind        text NOT NULL CHECK (kind IN ('cashier', 'pos')),
    last_no     integer NOT NULL CHECK (last_no > 0),
    PRIMARY KEY (sale_date, upjang_code, kind)
);

-- The next close number of an outlet's date. The row stays locked until the
-- caller's transaction ends, so a number is never given twice; a close that
-- is rolled back leaves its number unused.
CREATE FUNCTION next_close_no(a_sale_date text, a_upjang_code text, a_kind text) RETURNS integer
LANGUAGE sql VOLATILE AS $$
    INSERT INTO close_counter AS c (sale_date, upjang_code, kind, last_no)
    VALUES (a_sale_date, a_upjang_code, a_kind, 1)
    ON CONFLICT (sale_date, upjang_code, kind) DO UPDATE SET last_no = c.last_no + 1
    RETURNING c.last_no
$$;

-- ---------------------------------------------------------------------------
-- Cashier close

-- A cashier close (사용자 마감) at a POS: the cash sales and the sales total
-- the terminal showed. A cashier may close several times a day; each close
-- ends a period, and the next one starts at its closed_at.
CREATE TABLE cashier_close (
    sale_date      yyyymmdd NOT NULL,
    upjang_code    text NOT NULL,
    pos_no         text NOT NULL,
    emp_no         text NOT NULL,
    close_no       integer NOT NULL CHECK (close_no > 0),
    cash_sale_amt  numeric(18, 4) NOT NULL DEFAULT 0,
    sale_total_amt numeric(18, 4) NOT NULL DEFAULT 0,
    ip             text,
    closed_at      timestamptz NOT NULL DEFAULT now(),
    PRIMARY KEY (sale_date, upjang_code, close_no)
);
CREATE INDEX cashier_close_shift ON cashier_close (sale_date, upjang_code, pos_no, emp_no, closed_at);

-- Where a cashier's current period at a POS starts: the moment of their
-- latest close of the date there; NULL before their first close.
CREATE FUNCTION cashier_period_start(a_sale_date text, a_upjang_code text, a_pos_no text, a_emp_no text)
RETURNS timestamptz
LANGUAGE sql STABLE AS $$
    SELECT max(c.closed_at)
      FROM cashier_close c
     WHERE c.sale_date = a_sale_date
       AND c.upjang_code = a_upjang_code
       AND c.pos_no = a_pos_no
       AND c.emp_no = a_emp_no
$$;

-- Whether a row recorded at a_at falls in a period of a_sale_date that starts
-- at a_start (the resort's time as the terminal gives it back: the start of
-- a date as "yyyymmdd000000", or the moment of a close as
-- "yyyymmddhh24missus", to the microsecond, so that a row of the same second
-- as the close counts in exactly one of the two periods). A period that
-- starts at or before the start of the date covers every row of the date,
-- whenever it was recorded: a pre-sale for the date is recorded days before
-- it. After a close, a period holds the rows recorded after that moment. The
-- row's moment is when the server took it, so a row uploaded from the
-- off-line queue after a close counts in the period after it, never in none.
CREATE FUNCTION in_close_period(a_at timestamptz, a_sale_date text, a_start text) RETURNS boolean
LANGUAGE sql STABLE AS $$
    SELECT nullif(a_start, '') IS NULL
        OR a_start <= a_sale_date || '000000'
        OR to_char(a_at AT TIME ZONE 'Asia/Seoul', 'YYYYMMDDHH24MISSUS') > a_start
$$;

-- ---------------------------------------------------------------------------
-- Sale rows as the close reads them

-- Every sale row with the terminal that recorded it and what its bill is.
--
-- The terminal: a row under an outlet's POS number that a terminal sells for
-- (pos_sale_upjang) is that terminal's; any other row is the terminal's of
-- its own outlet and POS. A bill is the rows of one terminal, date and bill
-- number: the rows a terminal records for other outlets carry the number of
-- the bill they were sold on.
--
-- The pre-sale link row (goods code '00000000', no amounts) only says where
-- a pre-sale was sold; it is no part of any bill's figures.
--
-- bill_kind: 'void' for the rows a void marked (sale_yn '*'); of the rows
-- left, the bill is a 'return' when its quantities, corrections left out,
-- sum below 0, else a 'sale'. A partly voided bill is a sale (or return) of
-- its remaining rows and a void of the others.
-- comp: the bill's rows of the same kind (voided or not) sell at 0 what is
-- listed above 0 (a complimentary bill: every line fully discounted).
-- correction: a remaining row that takes back quantity from a line already
-- closed (correct_yn 'Y': the modify-save keeps the quantity first rung up
-- on a closed line and writes the change as a line of its own).
CREATE VIEW close_sale_row AS
SELECT s.sale_date, s.upjang_code, s.pos_no, s.bill_no, s.bill_seq, s.sale_yn, s.menu_code,
       s.season_code, s.business_gubun, s.unit_amt, s.sale_qty, s.sale_amt, s.net_amt, s.vat_amt,
       s.excise_amt, s.edu_tax_amt, s.village_amt, s.sports_amt, s.assoc_amt, s.korean_qty,
       s.foreign_qty, s.guest_type, s.correct_yn, s.emp_no, s.offline_at, s.created_at,
       t.upjang_code AS term_upjang_code,
       t.pos_no AS term_pos_no,
       CASE WHEN s.sale_yn = '*' THEN 'void'
            WHEN sum(s.sale_qty) FILTER (WHERE s.correct_yn IS DISTINCT FROM 'Y') OVER part < 0 THEN 'return'
            ELSE 'sale'
       END AS bill_kind,
       sum(s.sale_amt) OVER part = 0 AND sum(s.unit_amt * s.sale_qty) OVER part <> 0 AS comp,
       s.correct_yn IS NOT DISTINCT FROM 'Y' AND s.sale_yn <> '*' AS correction
  FROM sale s
  LEFT JOIN pos_sale_upjang p ON p.sale_upjang_code = s.upjang_code AND p.sale_pos_no = s.pos_no
 CROSS JOIN LATERAL (VALUES (coalesce(p.upjang_code, s.upjang_code), coalesce(p.pos_no, s.pos_no))) t (upjang_code, pos_no)
 WHERE s.menu_code <> '00000000'
WINDOW part AS (PARTITION BY s.sale_date, t.upjang_code, t.pos_no, s.bill_no, s.sale_yn = '*');

-- The rows of a terminal's date that a close reads: those of one cashier
-- (NULL: of every cashier) recorded in the period from a_start.
CREATE FUNCTION close_sale_rows(a_sale_date text, a_upjang_code text, a_pos_no text, a_emp_no text, a_start text)
RETURNS SETOF close_sale_row
LANGUAGE sql STABLE AS $$
    SELECT r.*
      FROM close_sale_row r
     WHERE r.sale_date = a_sale_date
       AND r.term_upjang_code = a_upjang_code
       AND r.term_pos_no = a_pos_no
       AND (nullif(a_emp_no, '') IS NULL OR r.emp_no = a_emp_no)
       AND in_close_period(r.created_at, a_sale_date, a_start)
$$;

-- The name of a goods code of an outlet: the row of the sale's season and
-- kind of day when there is one, else any row of the code, else the code.
CREATE FUNCTION goods_name(a_upjang_code text, a_menu_code text, a_season_code text, a_business_gubun text)
RETURNS text
LANGUAGE sql STABLE AS $$
    SELECT coalesce(
        (SELECT g.menu_name
           FROM goods g
          WHERE g.upjang_code = a_upjang_code
            AND g.menu_code = a_menu_code
          ORDER BY (g.season_code IS NOT DISTINCT FROM a_season_code
                    AND g.business_gubun IS NOT DISTINCT FROM a_business_gubun) DESC,
                   g.season_code, g.business_gubun
          LIMIT 1),
        a_menu_code)
$$;

-- The sales of a close by outlet and goods: the rows left after voids, of
-- the COMP bills (a_comp) or of the others, quantities and amounts netted
-- over sales and returns.
CREATE FUNCTION close_menu_sales(a_sale_date text, a_upjang_code text, a_pos_no text, a_emp_no text, a_start text,
                                 a_comp boolean)
RETURNS TABLE (upjang_code text, menu_name text, sale_qty bigint, sale_amt numeric)
LANGUAGE sql STABLE AS $$
    SELECT r.upjang_code,
           goods_name(r.upjang_code, r.menu_code, min(r.season_code), min(r.business_gubun)),
           trunc(sum(r.sale_qty))::bigint,
           sum(r.sale_amt)
      FROM close_sale_rows(a_sale_date, a_upjang_code, a_pos_no, a_emp_no, a_start) r
     WHERE r.bill_kind <> 'void'
       AND r.comp = a_comp
     GROUP BY r.upjang_code, r.menu_code
    HAVING sum(r.sale_qty) <> 0 OR sum(r.sale_amt) <> 0
     ORDER BY r.upjang_code, r.menu_code
$$;

-- The tender a payment row counts under in the close figures: its own code,
-- except that a payment from a prepaid credit balance (430), which the
-- credit tender writes, counts as credit (170).
CREATE FUNCTION close_tender_code(a_pay_code text) RETURNS integer
LANGUAGE sql IMMUTABLE AS $$
    SELECT CASE a_pay_code::integer WHEN 430 THEN 170 ELSE a_pay_code::integer END
$$;

-- An amount as the statements hand it on: plain decimal text, "0" for none.
CREATE FUNCTION amount_text(a_amount numeric) RETURNS text
LANGUAGE sql IMMUTABLE AS $$
    SELECT trim_scale(coalesce(a_amount, 0))::text
$$;

-- ---------------------------------------------------------------------------
-- Day-end

-- The figures of an outlet's business day, rebuilt by every day-end run:
-- bills of every POS that recorded rows under the outlet, and its payment
-- rows by tender (other_pay_amt: the transfers between outlets, the
-- pre-sale rows and any tender the columns do not name).
CREATE TABLE day_sale_summary (
    sale_date      yyyymmdd NOT NULL,
    upjang_code    text NOT NULL,
    sale_count     integer NOT NULL,
    sale_amt       numeric(18, 4) NOT NULL,
    return_count   integer NOT NULL,
    return_amt     numeric(18, 4) NOT NULL,
    void_count     integer NOT NULL,
    void_amt       numeric(18, 4) NOT NULL,
    sale_total_amt numeric(18, 4) NOT NULL,
    net_amt        numeric(18, 4) NOT NULL,
    vat_amt        numeric(18, 4) NOT NULL,
    cash_amt       numeric(18, 4) NOT NULL,
    card_amt       numeric(18, 4) NOT NULL,
    room_amt       numeric(18, 4) NOT NULL,
    locker_amt     numeric(18, 4) NOT NULL,
    event_amt      numeric(18, 4) NOT NULL,
    gift_card_amt  numeric(18, 4) NOT NULL,
    credit_amt     numeric(18, 4) NOT NULL,
    other_pay_amt  numeric(18, 4) NOT NULL,
    built_at       timestamptz NOT NULL DEFAULT now(),
    PRIMARY KEY (sale_date, upjang_code)
);

-- The day-end runs of an outlet's date: who ran the last one, when, and how
-- many there were.
CREATE TABLE day_end (
    sale_date   yyyymmdd NOT NULL,
    upjang_code text NOT NULL REFERENCES upjang,
    emp_no      text,
    ip          text,
    ended_at    timestamptz NOT NULL DEFAULT now(),
    run_count   integer NOT NULL DEFAULT 1 CHECK (run_count > 0),
    PRIMARY KEY (sale_date, upjang_code)
);

-- Day-end work of one outlet, run by the POS close of every terminal that
-- sells for it, once per outlet, inside the POS close's transaction:
-- 1. records the run (day_end);
-- 2. rebuilds the outlet's day summary;
-- 3. closes the outlet's business day (day_close) once every POS of the
--    outlet (upjang_pos) is closed for the date: a POS is closed when it
--    closed under the outlet itself, or when the terminal that sells for
--    the outlet under that POS number closed under its own outlet. An outlet
--    that lists no POS closes with its first day-end.
-- Running it again rebuilds the same summary and leaves the close as it is.
-- AEDITSTATUS is what the terminal sends ("2"); every run does the same work.
-- AERROR_MSG stays NULL: a failure raises, so the POS close rolls back.
CREATE OR REPLACE FUNCTION PR_KEI010_99(
    ASALE_DATE text, AUPJANG_CODE text, AU_EMP_NO text, AU_IP text, AEDITSTATUS text,
    OUT AERROR_MSG text)
LANGUAGE plpgsql AS $$
BEGIN
    AERROR_MSG := NULL;
    IF coalesce(ASALE_DATE, '') !~ '^[0-9]{8}$' THEN
        RAISE EXCEPTION 'PR_KEI010_99: the sale date must be yyyymmdd, not "%"', coalesce(ASALE_DATE, '')
            USING ERRCODE = 'invalid_parameter_value';
    END IF;
    IF NOT EXISTS (SELECT FROM upjang u WHERE u.upjang_code = AUPJANG_CODE) THEN
        RAISE EXCEPTION 'PR_KEI010_99: there is no outlet "%"', coalesce(AUPJANG_CODE, '')
            USING ERRCODE = 'no_data_found';
    END IF;

    -- First, because its row lock orders the day-ends of one outlet's date:
    -- a second terminal's run waits here until the first commits, then
    -- rebuilds from what the first wrote and sees its POS close.
    INSERT INTO day_end AS d (sale_date, upjang_code, emp_no, ip, ended_at, run_count)
    VALUES (ASALE_DATE, AUPJANG_CODE, AU_EMP_NO, AU_IP, now(), 1)
    ON CONFLICT (sale_date, upjang_code) DO UPDATE
        SET emp_no = EXCLUDED.emp_no, ip = EXCLUDED.ip, ended_at = EXCLUDED.ended_at,
            run_count = d.run_count + 1;

    DELETE FROM day_sale_summary s WHERE s.sale_date = ASALE_DATE AND s.upjang_code = AUPJANG_CODE;
    INSERT INTO day_sale_summary (
        sale_date, upjang_code, sale_count, sale_amt, return_count, return_amt, void_count, void_amt,
        sale_total_amt, net_amt, vat_amt, cash_amt, card_amt, room_amt, locker_amt, event_amt,
        gift_card_amt, credit_amt, other_pay_amt)
    SELECT ASALE_DATE, AUPJANG_CODE, b.*, t.*
      FROM (SELECT count(DISTINCT (r.term_upjang_code, r.term_pos_no, r.bill_no)) FILTER (WHERE r.bill_kind = 'sale'),
                   coalesce(sum(r.sale_amt) FILTER (WHERE r.bill_kind = 'sale'), 0),
                   count(DISTINCT (r.term_upjang_code, r.term_pos_no, r.bill_no)) FILTER (WHERE r.bill_kind = 'return'),
                   coalesce(sum(r.sale_amt) FILTER (WHERE r.bill_kind = 'return'), 0),
                   count(DISTINCT (r.term_upjang_code, r.term_pos_no, r.bill_no)) FILTER (WHERE r.bill_kind = 'void'),
                   coalesce(sum(r.sale_amt) FILTER (WHERE r.bill_kind = 'void'), 0),
                   coalesce(sum(r.sale_amt) FILTER (WHERE r.bill_kind <> 'void'), 0),
                   coalesce(sum(r.net_amt) FILTER (WHERE r.bill_kind <> 'void'), 0),
                   coalesce(sum(r.vat_amt) FILTER (WHERE r.bill_kind <> 'void'), 0)
              FROM close_sale_row r
             WHERE r.sale_date = ASALE_DATE AND r.upjang_code = AUPJANG_CODE) b,
           (SELECT coalesce(sum(p.amt) FILTER (WHERE close_tender_code(p.pay_code) = 110), 0),
                   coalesce(sum(p.amt) FILTER (WHERE close_tender_code(p.pay_code) = 120), 0),
                   coalesce(sum(p.amt) FILTER (WHERE close_tender_code(p.pay_code) = 130), 0),
                   coalesce(sum(p.amt) FILTER (WHERE close_tender_code(p.pay_code) = 140), 0),
                   coalesce(sum(p.amt) FILTER (WHERE close_tender_code(p.pay_code) = 150), 0),
                   coalesce(sum(p.amt) FILTER (WHERE close_tender_code(p.pay_code) = 160), 0),
                   coalesce(sum(p.amt) FILTER (WHERE close_tender_code(p.pay_code) = 170), 0),
                   coalesce(sum(p.amt) FILTER (WHERE close_tender_code(p.pay_code)
                                                     NOT IN (110, 120, 130, 140, 150, 160, 170)), 0)
              FROM pay p
             WHERE p.sale_date = ASALE_DATE AND p.upjang_code = AUPJANG_CODE AND p.pay_yn IN ('Y', '*')) t;

    IF NOT EXISTS (
        SELECT FROM upjang_pos up
         WHERE up.upjang_code = AUPJANG_CODE
           AND NOT EXISTS (SELECT FROM pos_close c
                            WHERE c.sale_date = ASALE_DATE AND c.upjang_code = up.upjang_code AND c.pos_no = up.pos_no)
           AND NOT EXISTS (SELECT FROM pos_sale_upjang s
                             JOIN pos_close c ON c.sale_date = ASALE_DATE AND c.upjang_code = s.upjang_code
                                             AND c.pos_no = s.pos_no
                            WHERE s.sale_upjang_code = up.upjang_code AND s.sale_pos_no = up.pos_no)) THEN
        INSERT INTO day_close (sale_date, upjang_code, emp_no)
        VALUES (ASALE_DATE, AUPJANG_CODE, AU_EMP_NO)
        ON CONFLICT DO NOTHING;
    END IF;
END
$$;

-- ---------------------------------------------------------------------------
-- Day log

-- The day log a terminal uploads after a close report: one row per entry of
-- the log file (its time and procedure heading and the lines below them),
-- replaced as a whole by every upload of the day.
CREATE TABLE terminal_log (
    sale_date   yyyymmdd NOT NULL,
    upjang_code text NOT NULL,
    pos_no      text NOT NULL,
    entry_no    integer NOT NULL CHECK (entry_no > 0),
    log_time    text,
    proc        text,
    body        text,
    uploaded_at timestamptz NOT NULL DEFAULT now(),
    PRIMARY KEY (sale_date, upjang_code, pos_no, entry_no)
);
