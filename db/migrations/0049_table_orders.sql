-- The open bills of table-service outlets and the tables the terminals are
-- working on.
--
-- A table's bill is stored whole whenever a terminal leaves the table: what
-- was stored for the table is deleted and written again in one transaction,
-- so another terminal reading the table sees the old bill or the new one,
-- never a mixture. The bill is deleted when it is settled or cancelled. The
-- day is the business date the bill was rung up under.

-- The bill's header: one row per open table of an outlet and day.
CREATE TABLE table_order (
    sale_date      yyyymmdd NOT NULL,
    upjang_code    text NOT NULL,
    table_no       integer NOT NULL CHECK (table_no BETWEEN 1 AND 1500),
    pos_no         text NOT NULL,                     -- the terminal that stored it last
    sale_gubun     integer NOT NULL DEFAULT 0,        -- 0 a sale, else a return bill
    due_amt        numeric(18, 4) NOT NULL DEFAULT 0, -- the amount due as the table was left
    locker_no      text NOT NULL DEFAULT '',
    spare_text     text NOT NULL DEFAULT '',
    korean_count   integer NOT NULL DEFAULT 0 CHECK (korean_count >= 0),
    foreign_count  integer NOT NULL DEFAULT 0 CHECK (foreign_count >= 0),
    no_svc_yn      yn_flag NOT NULL DEFAULT 'N',
    no_vat_yn      yn_flag NOT NULL DEFAULT 'N',
    stored_at      timestamptz NOT NULL DEFAULT now(),
    PRIMARY KEY (sale_date, upjang_code, table_no)
);

-- The bill's lines in bill order. sale_count is what the table has now,
-- old_sale_count what the kitchen was told of when the table was last left.
CREATE TABLE table_order_line (
    sale_date       yyyymmdd NOT NULL,
    upjang_code     text NOT NULL,
    table_no        integer NOT NULL,
    line_no         integer NOT NULL CHECK (line_no > 0),
    item_upjang_code text NOT NULL,                   -- the outlet the goods belong to
    menu_code       text NOT NULL,
    season_code     text NOT NULL DEFAULT '',
    business_gubun  text NOT NULL DEFAULT '',
    sale_count      numeric(18, 4) NOT NULL DEFAULT 0,
    old_sale_count  numeric(18, 4) NOT NULL DEFAULT 0,
    sale_unit_amt   numeric(18, 4) NOT NULL DEFAULT 0,
    modify_yn       yn_flag NOT NULL DEFAULT 'N',
    caddy_yn        text NOT NULL DEFAULT '',         -- 'Y'/'N' in caddy mode, else empty
    correct_amt     numeric(18, 4) NOT NULL DEFAULT 0,
    PRIMARY KEY (sale_date, upjang_code, table_no, line_no),
    FOREIGN KEY (sale_date, upjang_code, table_no) REFERENCES table_order ON DELETE CASCADE
);

-- The member discounts registered on the bill, in the discount list's order.
CREATE TABLE table_order_dc_member (
    sale_date         yyyymmdd NOT NULL,
    upjang_code       text NOT NULL,
    table_no          integer NOT NULL,
    row_no            integer NOT NULL CHECK (row_no > 0),
    multi_upjang_code text NOT NULL,
    accept_member_no  text NOT NULL,
    member_no         text NOT NULL DEFAULT '',
    member_add_no     text NOT NULL DEFAULT '',
    id_no             text NOT NULL DEFAULT '',
    member_name       text NOT NULL DEFAULT '',
    member_code       text NOT NULL DEFAULT '',
    guest_type        text NOT NULL DEFAULT '',
    daeso_gubun       text NOT NULL DEFAULT '',
    dc_rate           integer NOT NULL DEFAULT 0,
    once_use_count    integer NOT NULL DEFAULT 0,
    daily_use_count   integer NOT NULL DEFAULT 0,
    yearly_use_count  integer NOT NULL DEFAULT 0,
    remark            text NOT NULL DEFAULT '',
    not_typed_yn      yn_flag NOT NULL DEFAULT 'N',   -- 'Y': not keyed in by hand
    dc_yn             yn_flag NOT NULL DEFAULT 'N',
    master_member_yn  yn_flag NOT NULL DEFAULT 'N',
    PRIMARY KEY (sale_date, upjang_code, table_no, row_no),
    FOREIGN KEY (sale_date, upjang_code, table_no) REFERENCES table_order ON DELETE CASCADE
);

-- The menu discounts registered on the bill.
CREATE TABLE table_order_dc_menu (
    sale_date         yyyymmdd NOT NULL,
    upjang_code       text NOT NULL,
    table_no          integer NOT NULL,
    row_no            integer NOT NULL CHECK (row_no > 0),
    multi_upjang_code text NOT NULL,
    accept_member_no  text NOT NULL,
    menu_code         text NOT NULL,
    season_code       text NOT NULL DEFAULT '',
    business_gubun    text NOT NULL DEFAULT '',
    member_no         text NOT NULL DEFAULT '',
    member_add_no     text NOT NULL DEFAULT '',
    id_no             text NOT NULL DEFAULT '',
    member_name       text NOT NULL DEFAULT '',
    member_code       text NOT NULL DEFAULT '',
    guest_type        text NOT NULL DEFAULT '',
    daeso_gubun       text NOT NULL DEFAULT '',
    dc_amt            numeric(18, 4) NOT NULL DEFAULT 0,
    once_use_count    integer NOT NULL DEFAULT 0,
    daily_use_count   integer NOT NULL DEFAULT 0,
    not_typed_yn      yn_flag NOT NULL DEFAULT 'N',
    PRIMARY KEY (sale_date, upjang_code, table_no, row_no),
    FOREIGN KEY (sale_date, upjang_code, table_no) REFERENCES table_order ON DELETE CASCADE
);

-- The table a terminal is working on: one row per table held, taken when the
-- cashier touches the table on the table screen and released when the
-- terminal goes back to the table list. A table may be held without a bill
-- (a table just opened).
CREATE TABLE table_lock (
    sale_date   yyyymmdd NOT NULL,
    upjang_code text NOT NULL,
    table_no    integer NOT NULL CHECK (table_no BETWEEN 1 AND 1500),
    pos_no      text NOT NULL,
    locked_at   timestamptz NOT NULL DEFAULT now(),
    PRIMARY KEY (sale_date, upjang_code, table_no)
);
CREATE INDEX table_lock_pos ON table_lock (upjang_code, pos_no);
