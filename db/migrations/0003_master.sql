-- Master data: what the terminal reads at log-in, downloads after it and
-- mirrors in its own files for off-line work. Cashiers, common codes,
-- outlets with the POS terminals of each outlet and the outlets a terminal
-- sells for, goods, menu groups and sub-groups, menu buttons, tender types,
-- the business calendar, guest-type and partner discounts, the company
-- header; members' cards and the server's discount work area of each POS
-- (filled by PR_IAI010_01, read back by the terminal).
--
-- Flags are char(1) 'Y'/'N'; the download statements hand them on as they
-- are. Amounts are numeric(18, 4) and leave the server through trim_scale, so
-- the terminal reads "15000", never "15000.0000".

CREATE DOMAIN yn AS char(1) NOT NULL DEFAULT 'N' CHECK (VALUE IN ('Y', 'N'));

CREATE TABLE cashier (
    emp_no          text PRIMARY KEY,
    emp_name        text NOT NULL,
    password        text NOT NULL DEFAULT '',
    last_login_date text NOT NULL DEFAULT '',
    remain_day      integer NOT NULL DEFAULT 0,
    admin_yn        char(1) NOT NULL DEFAULT 'N' CHECK (admin_yn IN ('Y', 'N'))
);

-- Common codes: head + code, a name and fifteen free items.
CREATE TABLE common_code (
    head      text NOT NULL,
    code      text NOT NULL,
    code_name text NOT NULL DEFAULT '',
    item1  text NOT NULL DEFAULT '', item2  text NOT NULL DEFAULT '', item3  text NOT NULL DEFAULT '',
    item4  text NOT NULL DEFAULT '', item5  text NOT NULL DEFAULT '', item6  text NOT NULL DEFAULT '',
    item7  text NOT NULL DEFAULT '', item8  text NOT NULL DEFAULT '', item9  text NOT NULL DEFAULT '',
    item10 text NOT NULL DEFAULT '', item11 text NOT NULL DEFAULT '', item12 text NOT NULL DEFAULT '',
    item13 text NOT NULL DEFAULT '', item14 text NOT NULL DEFAULT '', item15 text NOT NULL DEFAULT '',
    PRIMARY KEY (head, code)
);

-- An outlet and how its terminals behave. The columns from first_form_code on
-- are the outlet record of the terminal in item order.
CREATE TABLE upjang (
    upjang_code            text PRIMARY KEY,
    upjang_name            text NOT NULL,
    upjang_eng_name        text NOT NULL DEFAULT '',
    upjang_type            text NOT NULL DEFAULT '',
    sod_gubun_code         text NOT NULL DEFAULT '',
    first_form_code        text NOT NULL DEFAULT '',
    ticket_prt_yn          yn,
    group_ticket_yn        yn,
    cancel_yn              yn,
    cancel_save_yn         yn,
    close_yn               yn,
    offline_yn             yn,
    modify_save_yn         yn,
    void_yn                yn,
    return_yn              yn,
    order_restore_yn       yn,
    wait_yn                yn,
    member_img_yn          yn,
    pre_sale_yn            yn,
    guest_count_yn         yn,
    direct_select_yn       yn,
    card_tid               text NOT NULL DEFAULT '',
    receipt_remark1        text NOT NULL DEFAULT '',
    receipt_remark2        text NOT NULL DEFAULT '',
    keyin_yn               yn,
    master_key_yn          yn,
    void_price_change_yn   yn,
    season_code_yn         yn,
    business_gubun_yn      yn,
    special_member_sale_yn yn DEFAULT 'Y'
);

-- The POS terminals of an outlet (an outlet code and a two-digit number, as
-- in the terminal's "POS.ini").
CREATE TABLE upjang_pos (
    upjang_code text NOT NULL REFERENCES upjang,
    pos_no      text NOT NULL CHECK (pos_no ~ '^[0-9]{2}$'),
    sort_order  integer NOT NULL DEFAULT 0,
    pos_name    text NOT NULL DEFAULT '',
    PRIMARY KEY (upjang_code, pos_no)
);

-- Further outlets a terminal sells for, with the POS number under which it
-- records their sales there. The terminal's own outlet is never listed here:
-- the outlet download puts it first by itself.
CREATE TABLE pos_sale_upjang (
    upjang_code      text NOT NULL,
    pos_no           text NOT NULL,
    sale_upjang_code text NOT NULL REFERENCES upjang,
    sale_pos_no      text NOT NULL,
    sort_order       integer NOT NULL DEFAULT 0,
    PRIMARY KEY (upjang_code, pos_no, sale_upjang_code),
    FOREIGN KEY (upjang_code, pos_no) REFERENCES upjang_pos,
    CHECK (sale_upjang_code <> upjang_code)
);

-- The outlets of a terminal, own outlet first (sort -1), as the download
-- statements select goods, menus and discounts by them.
CREATE FUNCTION pos_upjangs(a_upjang_code text, a_pos_no text)
RETURNS TABLE (upjang_code text, pos_no text, sort_order integer)
LANGUAGE sql STABLE AS $$
    SELECT a_upjang_code, a_pos_no, -1
    UNION ALL
    SELECT s.sale_upjang_code, s.sale_pos_no, s.sort_order
      FROM pos_sale_upjang s
     WHERE s.upjang_code = a_upjang_code
       AND s.pos_no = a_pos_no
$$;

-- One sellable item of an outlet for a season and a kind of business day.
-- use_yn 'N' withdraws it from sale; the ski terminals still download it
-- (tickets sold before a withdrawal come back for refund at the counter).
CREATE TABLE goods (
    upjang_code    text NOT NULL REFERENCES upjang,
    menu_code      text NOT NULL,
    season_code    text NOT NULL DEFAULT '1',
    business_gubun text NOT NULL DEFAULT '1',
    menu_name      text NOT NULL,
    menu_eng_name  text NOT NULL DEFAULT '',
    menu_gubun     text NOT NULL DEFAULT '',
    tax_yn         yn DEFAULT 'Y',
    tax_calcu_code text NOT NULL DEFAULT '1',
    sale_unit_amt  numeric(18, 4) NOT NULL DEFAULT 0,
    ticket_kind    text NOT NULL DEFAULT '',
    daeso_code     text NOT NULL DEFAULT '',
    disp_time_from text NOT NULL DEFAULT '',
    disp_time_to   text NOT NULL DEFAULT '',
    dc_yn          yn DEFAULT 'Y',
    dc_calcu_code  text NOT NULL DEFAULT '',
    open_code_yn   yn,
    kitchen_prt_yn yn,
    ticket_type    text NOT NULL DEFAULT '',
    cook_method    text NOT NULL DEFAULT '',
    set_menu1      text NOT NULL DEFAULT '', set_menu2 text NOT NULL DEFAULT '', set_menu3 text NOT NULL DEFAULT '',
    set_menu4      text NOT NULL DEFAULT '', set_menu5 text NOT NULL DEFAULT '',
    type_code1     text NOT NULL DEFAULT '', type_code2 text NOT NULL DEFAULT '', type_code3 text NOT NULL DEFAULT '',
    use_yn         yn DEFAULT 'Y',
    PRIMARY KEY (upjang_code, menu_code, season_code, business_gubun)
);

-- Menu groups (the group buttons of the sale screen) and, at the hotel
-- restaurants, their sub-groups.
CREATE TABLE menu_group (
    upjang_code     text NOT NULL REFERENCES upjang,
    menu_group_no   text NOT NULL,
    menu_group_name text NOT NULL,
    sort_order      integer NOT NULL DEFAULT 0,
    PRIMARY KEY (upjang_code, menu_group_no)
);

CREATE TABLE menu_sub_group (
    upjang_code         text NOT NULL,
    menu_group_no       text NOT NULL,
    menu_sub_group_no   text NOT NULL,
    menu_sub_group_name text NOT NULL,
    sort_order          integer NOT NULL DEFAULT 0,
    PRIMARY KEY (upjang_code, menu_sub_group_no),
    FOREIGN KEY (upjang_code, menu_group_no) REFERENCES menu_group
);

-- A menu button: position menu_no in a group (at the hotel restaurants in a
-- sub-group), selling one goods code. Name and price come from the goods.
CREATE TABLE menu (
    upjang_code       text NOT NULL,
    menu_group_no     text NOT NULL,
    menu_sub_group_no text NOT NULL DEFAULT '',
    menu_no           integer NOT NULL CHECK (menu_no > 0),
    menu_code         text NOT NULL,
    season_code       text NOT NULL DEFAULT '1',
    business_gubun    text NOT NULL DEFAULT '1',
    disp_time_from    text NOT NULL DEFAULT '',
    disp_time_to      text NOT NULL DEFAULT '',
    series_ticket     text NOT NULL DEFAULT '1' CHECK (series_ticket IN ('1', '2')),
    daeso_code        text NOT NULL DEFAULT 'Z',
    type_code1        text NOT NULL DEFAULT '', type_code2 text NOT NULL DEFAULT '', type_code3 text NOT NULL DEFAULT '',
    PRIMARY KEY (upjang_code, menu_group_no, menu_sub_group_no, menu_no),
    FOREIGN KEY (upjang_code, menu_group_no) REFERENCES menu_group,
    FOREIGN KEY (upjang_code, menu_code, season_code, business_gubun) REFERENCES goods
);
-- The goods side of the key above: changing or removing goods looks here.
CREATE INDEX menu_goods ON menu (upjang_code, menu_code, season_code, business_gubun);

-- Tender types and the ones an outlet accepts, in button order.
CREATE TABLE pay_type (
    pay_code integer PRIMARY KEY CHECK (pay_code BETWEEN 0 AND 999),
    pay_name text NOT NULL
);

CREATE TABLE upjang_pay (
    upjang_code text NOT NULL REFERENCES upjang,
    pay_code    integer NOT NULL REFERENCES pay_type,
    sort_order  integer NOT NULL DEFAULT 0,
    PRIMARY KEY (upjang_code, pay_code)
);

-- The business calendar of an outlet group: season, kind of business day and
-- the day's secret code of every date.
CREATE TABLE calendar (
    sod_gubun_code text NOT NULL,
    cal_date       yyyymmdd NOT NULL,
    season_code    text NOT NULL DEFAULT '1',
    business_gubun text NOT NULL DEFAULT '1',
    secret_code    text NOT NULL DEFAULT '',
    PRIMARY KEY (sod_gubun_code, cal_date)
);

-- Guest-type discounts per outlet, season and kind of day. -1 uses = no limit.
CREATE TABLE dc_guest_type (
    guest_type     text NOT NULL,
    upjang_code    text NOT NULL REFERENCES upjang,
    season_code    text NOT NULL DEFAULT '1',
    business_gubun text NOT NULL DEFAULT '1',
    dc_rate        integer NOT NULL CHECK (dc_rate BETWEEN 0 AND 100),
    once_use_qty   integer NOT NULL DEFAULT -1,
    daily_use_qty  integer NOT NULL DEFAULT -1,
    PRIMARY KEY (guest_type, upjang_code, season_code, business_gubun)
);

-- Partner (member-code) discounts of an outlet, keyed by the partner's number.
CREATE TABLE dc_partner (
    multi_upjang_code    text NOT NULL REFERENCES upjang,
    member_no            text NOT NULL,
    member_name          text NOT NULL,
    member_add_no_title  text NOT NULL DEFAULT '',
    member_add_no_length integer NOT NULL DEFAULT 0,
    member_add_no_idno_yn yn,
    qty_accept_yn        yn,
    gender_code          text NOT NULL DEFAULT 'Z',
    member_code          text NOT NULL DEFAULT '',
    guest_type           text NOT NULL DEFAULT '',
    dc_rate              integer NOT NULL DEFAULT 0,
    once_use_qty         integer NOT NULL DEFAULT -1,
    daily_use_qty        integer NOT NULL DEFAULT -1,
    limit_age            integer NOT NULL DEFAULT 0,
    card_company_code    text NOT NULL DEFAULT '',
    so_dc_rate           integer NOT NULL DEFAULT 0,
    PRIMARY KEY (multi_upjang_code, member_no)
);

-- The company header printed on every receipt: one row.
CREATE TABLE company (
    only_row     boolean PRIMARY KEY DEFAULT true CHECK (only_row),
    saup_name    text NOT NULL,
    ceo_name     text NOT NULL DEFAULT '',
    ceo_eng_name text NOT NULL DEFAULT '',
    address      text NOT NULL DEFAULT '',
    address_eng  text NOT NULL DEFAULT '',
    tel          text NOT NULL DEFAULT '',
    fax          text NOT NULL DEFAULT '',
    saup_no      text NOT NULL DEFAULT ''
);

CREATE TABLE member (
    member_no        text PRIMARY KEY,
    member_name      text NOT NULL DEFAULT '',
    card_issue_count integer NOT NULL DEFAULT 0
);

-- The members registered for the bill being rung up at a POS, and the menu
-- discounts they bring.
CREATE TABLE dc_member_work (
    upjang_code       text NOT NULL,
    pos_no            text NOT NULL,
    multi_upjang_code text NOT NULL,
    accept_member_no  text NOT NULL,
    seq               integer NOT NULL,
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
    keyin_yn          char(1) NOT NULL DEFAULT 'N' CHECK (keyin_yn IN ('Y', 'N')),
    PRIMARY KEY (upjang_code, pos_no, multi_upjang_code, accept_member_no, seq)
);

CREATE TABLE dc_menu_work (
    upjang_code       text NOT NULL,
    pos_no            text NOT NULL,
    multi_upjang_code text NOT NULL,
    accept_member_no  text NOT NULL,
    seq               integer NOT NULL,
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
    keyin_yn          char(1) NOT NULL DEFAULT 'N' CHECK (keyin_yn IN ('Y', 'N')),
    PRIMARY KEY (upjang_code, pos_no, multi_upjang_code, accept_member_no, seq, menu_code)
);
