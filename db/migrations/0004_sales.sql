-- The bills the terminals record: sale rows, cancelled bills, payment rows,
-- card approvals and cash receipts. On line the terminal writes them in the
-- settlement's transaction; off line it queues the same values and uploads
-- them later, so each table takes exactly the parameters of its statement,
-- plus, for a row that came through the off-line queue, the local time it
-- was queued (offline_at, "yyyymmddhhnnss").
--
-- The primary keys make a second delivery of a row detectable: the upload
-- of a queue that was already sent meets a unique violation, compares the
-- stored row with the queued one, and skips it when they are the same.
-- Sale and payment recording may add columns; they keep these keys.

CREATE DOMAIN yn_flag AS char(1) CHECK (VALUE IN ('Y', 'N'));

-- One row per bill line (per ticket or component on the ski terminals).
-- The columns follow the sale statement's parameters P0 .. P49.
CREATE TABLE sale (
    sale_date          yyyymmdd NOT NULL,
    upjang_code        text NOT NULL,
    pos_no             text NOT NULL,
    bill_no            text NOT NULL CHECK (bill_no ~ '^[0-9]{4}$'),
    bill_seq           integer NOT NULL CHECK (bill_seq >= 0),
    sale_yn            char(1) NOT NULL CHECK (sale_yn IN ('Y', 'N', '*')),
    menu_code          text NOT NULL,
    season_code        text,
    business_gubun     text,
    tax_yn             yn_flag,
    tax_calcu_code     text,
    unit_amt           numeric(18, 4) NOT NULL DEFAULT 0,
    sale_qty           numeric(18, 4) NOT NULL DEFAULT 0,
    dc_rate            numeric(18, 4) NOT NULL DEFAULT 0,
    dc_amt             numeric(18, 4) NOT NULL DEFAULT 0,
    sale_amt           numeric(18, 4) NOT NULL DEFAULT 0,
    net_amt            numeric(18, 4) NOT NULL DEFAULT 0,
    vat_amt            numeric(18, 4) NOT NULL DEFAULT 0,
    excise_amt         numeric(18, 4) NOT NULL DEFAULT 0,
    edu_tax_amt        numeric(18, 4) NOT NULL DEFAULT 0,
    village_amt        numeric(18, 4) NOT NULL DEFAULT 0,
    sports_amt         numeric(18, 4) NOT NULL DEFAULT 0,
    tourism_amt        numeric(18, 4) NOT NULL DEFAULT 0,
    assoc_amt          numeric(18, 4) NOT NULL DEFAULT 0,
    svc_amt            numeric(18, 4) NOT NULL DEFAULT 0,
    spare_amt1         numeric(18, 4) NOT NULL DEFAULT 0,
    spare_amt2         numeric(18, 4) NOT NULL DEFAULT 0,
    korean_qty         integer NOT NULL DEFAULT 0,
    foreign_qty        integer NOT NULL DEFAULT 0,
    ticket_kind        text,
    table_no           integer NOT NULL DEFAULT 0,
    member_code        text,
    guest_type         text,
    accept_member_no   text,
    member_no          text,
    member_add_no      text,
    keyin_yn           yn_flag,
    correct_yn         yn_flag,
    caddy_yn           yn_flag,
    spare_text1        text,
    ticket_mode        text,
    spare_text2        text,
    spare_text3        text,
    spare_text4        text,
    spare_text5        text,
    series_ticket_code text,
    series_ticket_name text,
    remarks            text,
    dc_remarks         text,
    emp_no             text,
    offline_at         text CHECK (offline_at ~ '^[0-9]{14}$'),
    ip                 text,
    created_at         timestamptz NOT NULL DEFAULT now(),
    PRIMARY KEY (sale_date, upjang_code, pos_no, bill_no, bill_seq)
);

-- Bills cancelled before settlement at outlets that keep them: the same
-- rows, in a table of their own.
CREATE TABLE sale_cancel (LIKE sale INCLUDING DEFAULTS INCLUDING CONSTRAINTS,
    PRIMARY KEY (sale_date, upjang_code, pos_no, bill_no, bill_seq));

-- One row per tender line, change row and transfer row. pay_yn is 'Y' for
-- a settlement and '*' for the reversal rows of a void.
CREATE TABLE pay (
    sale_date    yyyymmdd NOT NULL,
    upjang_code  text NOT NULL,
    pos_no       text NOT NULL,
    bill_no      text NOT NULL CHECK (bill_no ~ '^[0-9]{4}$'),
    pay_yn       char(1) NOT NULL CHECK (pay_yn IN ('Y', 'N', '*')),
    pay_code     text NOT NULL CHECK (pay_code ~ '^[0-9]{1,3}$'),
    pay_seq      integer NOT NULL,
    amt          numeric(18, 4) NOT NULL,
    detail1      text,
    detail2      text,
    detail3      text,
    detail4      text,
    detail5      text,
    detail6      text,
    detail7      text,
    detail8      text,
    detail9      text,
    remarks      text,
    emp_no       text,
    offline_at   text CHECK (offline_at ~ '^[0-9]{14}$'),
    ip           text,
    created_at   timestamptz NOT NULL DEFAULT now(),
    PRIMARY KEY (sale_date, upjang_code, pos_no, bill_no, pay_yn, pay_code, pay_seq)
);

-- Card (and EasyCheck) approvals. agree_yn 'N' marks a cancellation of an
-- earlier approval (old_agree_no).
CREATE TABLE card_approval (
    sale_date      yyyymmdd NOT NULL,
    upjang_code    text NOT NULL,
    pos_no         text NOT NULL,
    bill_no        text NOT NULL CHECK (bill_no ~ '^[0-9]{4}$'),
    card_yn        char(1) NOT NULL CHECK (card_yn IN ('Y', 'N', '*')),
    card_seq       integer NOT NULL,
    agree_yn       yn_flag NOT NULL,
    amt            numeric(18, 4) NOT NULL,
    card_no        text,
    valid_thru     text,
    halbu_month    text,
    agree_no       text,
    old_agree_no   text,
    company_code   text,
    company_name   text,
    bank_code      text,
    bank_name      text,
    card_join_no   text,
    agree_date     text,
    card_kind_yn   yn_flag,
    track_two      text,
    emp_no         text,
    offline_at     text CHECK (offline_at ~ '^[0-9]{14}$'),
    ip             text,
    created_at     timestamptz NOT NULL DEFAULT now(),
    PRIMARY KEY (sale_date, upjang_code, pos_no, bill_no, card_yn, card_seq, agree_yn)
);

-- Cash receipts (approved by the tax authority's network) of cash lines.
CREATE TABLE cash_receipt (
    sale_date    yyyymmdd NOT NULL,
    upjang_code  text NOT NULL,
    pos_no       text NOT NULL,
    bill_no      text NOT NULL CHECK (bill_no ~ '^[0-9]{4}$'),
    cash_yn      char(1) NOT NULL CHECK (cash_yn IN ('Y', 'N', '*')),
    cash_seq     integer NOT NULL,
    sale_kind    char(1) NOT NULL CHECK (sale_kind IN ('Y', 'N', '*')),
    man_yn       yn_flag,
    card_no      text,
    track_two    text,
    agree_amt    numeric(18, 4) NOT NULL DEFAULT 0,
    agree_no     text,
    agree_date   text,
    emp_no       text,
    offline_at   text CHECK (offline_at ~ '^[0-9]{14}$'),
    ip           text,
    created_at   timestamptz NOT NULL DEFAULT now(),
    PRIMARY KEY (sale_date, upjang_code, pos_no, bill_no, cash_yn, cash_seq, sale_kind)
);
