-- The work of the member discount registration (PR_IAI010_01) and of the
-- room-charge transfer (PR_DCI030_02). Both answer a refusal in their output
-- parameters and write nothing then; an exception means the call itself
-- failed. Messages never carry member, card or resident numbers: the
-- terminals write failures into their logs.

-- Registers a member for the bill being rung up at one POS: the member's
-- discounts at the outlets the POS sells for are copied into the discount
-- work area (replacing an earlier registration of the same member).
-- AREMARKS: a notice for the cashier; ACAN_SALE_YN 'N': the member must not
-- be sold to.
CREATE OR REPLACE FUNCTION PR_IAI010_01(
    ASALE_DATE text, AUPJANG_CODE text, APOS_NO text, AMEMBER_NO text, ASALE_YN text, AKEYIN_YN text,
    OUT AREMARKS text, OUT ACAN_SALE_YN text)
LANGUAGE plpgsql AS $$
DECLARE
    v_member  member%ROWTYPE;
    v_kind    member_code%ROWTYPE;
    v_stop    text;
    v_keyin   char(1) := CASE WHEN AKEYIN_YN = 'Y' THEN 'Y' ELSE 'N' END;
    v_outlets text[];
    v_added   integer;
    v_menus   integer;
BEGIN
    ACAN_SALE_YN := 'Y';
    IF coalesce(ASALE_DATE, '') !~ '^[0-9]{8}$' OR coalesce(AUPJANG_CODE, '') = '' OR coalesce(APOS_NO, '') = '' THEN
        RAISE EXCEPTION 'PR_IAI010_01: sale date, outlet and POS are required'
            USING ERRCODE = 'invalid_parameter_value';
    END IF;
    IF coalesce(AMEMBER_NO, '') = '' THEN
        AREMARKS := '우대번호가 없습니다.';
        RETURN;
    END IF;

    SELECT * INTO v_member FROM member WHERE member_no = AMEMBER_NO;
    IF NOT FOUND THEN
        AREMARKS := '등록되지 않은 우대번호입니다.';
        RETURN;
    END IF;
    IF v_member.cancel_date IS NOT NULL THEN
        AREMARKS := '해약된 우대번호입니다.';
        RETURN;
    END IF;
    IF NOT (v_member.valid_from <= ASALE_DATE AND ASALE_DATE <= v_member.valid_to) THEN
        AREMARKS := '사용 유효기간이 지난 우대번호입니다.';
        RETURN;
    END IF;
    SELECT * INTO v_kind FROM member_code WHERE member_code = v_member.member_code;
    IF v_keyin = 'Y' AND FOUND AND v_kind.keyin_yn = 'N' THEN
        AREMARKS := '키보드로 입력할 수 없는 우대번호입니다.';
        RETURN;
    END IF;

    -- A member whose facilities are stopped or who owes fees is not sold to;
    -- a return (ASALE_YN 'N') gives money back and is never stopped.
    SELECT coalesce(nullif(b.reason, ''), '스포츠시설 카드사용이 중지된 회원입니다.') INTO v_stop
      FROM member_black_list b
     WHERE b.member_no = v_member.member_no AND b.black_kind = 'Y'
       AND b.valid_from <= ASALE_DATE AND ASALE_DATE <= b.valid_to
     LIMIT 1;
    IF v_stop IS NULL THEN
        SELECT '연체회원입니다.' INTO v_stop
          FROM member_overdue o
         WHERE o.member_no = v_member.member_no AND o.overdue_from <= ASALE_DATE
           AND (o.cleared_date IS NULL OR o.cleared_date > ASALE_DATE)
         LIMIT 1;
    END IF;
    IF v_stop IS NOT NULL AND coalesce(ASALE_YN, 'Y') <> 'N' THEN
        AREMARKS := v_stop;
        ACAN_SALE_YN := 'N';
        RETURN;
    END IF;

    -- The POS's own outlet and the further outlets it sells for.
    SELECT array_agg(DISTINCT u) INTO v_outlets
      FROM (SELECT AUPJANG_CODE AS u
            UNION SELECT p.upjang_code FROM upjang_pos p WHERE p.pos_no = APOS_NO) o;

    DELETE FROM dc_member_work
     WHERE upjang_code = AUPJANG_CODE AND pos_no = APOS_NO AND accept_member_no = AMEMBER_NO;
    DELETE FROM dc_menu_work
     WHERE upjang_code = AUPJANG_CODE AND pos_no = APOS_NO AND accept_member_no = AMEMBER_NO;

    INSERT INTO dc_member_work (upjang_code, pos_no, multi_upjang_code, accept_member_no, seq, member_no,
                                member_add_no, id_no, member_name, member_code, guest_type, daeso_gubun, dc_rate,
                                once_use_count, daily_use_count, yearly_use_count, remark, keyin_yn)
    SELECT AUPJANG_CODE, APOS_NO, r.upjang_code, AMEMBER_NO,
           row_number() OVER (PARTITION BY r.upjang_code ORDER BY r.daeso_gubun, r.valid_from),
           v_member.member_no, '', v_member.id_no, v_member.member_name, v_member.member_code, v_member.guest_type,
           r.daeso_gubun, r.dc_rate,
           r.once_use_count, r.daily_use_count, r.yearly_use_count, r.remark, v_keyin
      FROM member_dc_rate r
     WHERE r.guest_type = v_member.guest_type AND r.upjang_code = ANY (v_outlets)
       AND r.valid_from <= ASALE_DATE AND ASALE_DATE <= r.valid_to;
    GET DIAGNOSTICS v_added = ROW_COUNT;

    INSERT INTO dc_menu_work (upjang_code, pos_no, multi_upjang_code, accept_member_no, seq, menu_code, season_code,
                              business_gubun, member_no, member_add_no, id_no, member_name, member_code, guest_type,
                              daeso_gubun, dc_amt, once_use_count, daily_use_count, keyin_yn)
    SELECT AUPJANG_CODE, APOS_NO, d.upjang_code, AMEMBER_NO,
           row_number() OVER (PARTITION BY d.upjang_code, d.menu_code ORDER BY d.season_code, d.business_gubun,
                                                                             d.daeso_gubun, d.valid_from),
           d.menu_code, d.season_code, d.business_gubun, v_member.member_no, '', v_member.id_no, v_member.member_name,
           v_member.member_code, v_member.guest_type, d.daeso_gubun, d.dc_amt, d.once_use_count, d.daily_use_count, v_keyin
      FROM member_dc_menu d
     WHERE d.guest_type = v_member.guest_type AND d.upjang_code = ANY (v_outlets)
       AND d.valid_from <= ASALE_DATE AND ASALE_DATE <= d.valid_to;
    GET DIAGNOSTICS v_menus = ROW_COUNT;

    AREMARKS := CASE WHEN v_added + v_menus = 0 THEN '현재 영업장에서 적용할 우대할인이 없습니다.' END;
END
$$;

-- Moves one room charge (the from-folio's charge of AFROM_TASK_DATE number
-- AFROM_SEQ) to the folio that pays it, as a new charge of ATASK_DATE there.
-- AERROR_MSG empty: moved; otherwise why not, and nothing was written.
CREATE OR REPLACE FUNCTION PR_DCI030_02(
    ATASK_DATE text, AFROM_UPJANG text, AFROM_RSV text, AFROM_MANAGE text, AFROM_TASK_DATE text, AFROM_SEQ text,
    ATO_UPJANG text, ATO_RSV text, ATO_MANAGE text, ARAISE_UPJANG_CODE text, ATRANS_REASON text, AU_EMP_NO text,
    AU_IP text,
    OUT AERROR_MSG text)
LANGUAGE plpgsql AS $$
DECLARE
    v_charge      room_charge%ROWTYPE;
    v_target      hotel_stay%ROWTYPE;
    v_from_manage integer;
    v_from_seq    integer;
    v_to_manage   integer;
    v_next_seq    integer;
BEGIN
    AERROR_MSG := NULL;
    IF coalesce(ATASK_DATE, '') !~ '^[0-9]{8}$' OR coalesce(AFROM_TASK_DATE, '') !~ '^[0-9]{8}$'
       OR coalesce(AFROM_UPJANG, '') = '' OR coalesce(AFROM_RSV, '') = '' OR coalesce(ATO_UPJANG, '') = ''
       OR coalesce(ATO_RSV, '') = '' OR coalesce(AFROM_MANAGE, '') !~ '^[0-9]{1,9}$'
       OR coalesce(AFROM_SEQ, '') !~ '^[0-9]{1,9}$' OR coalesce(ATO_MANAGE, '') !~ '^[0-9]{1,9}$' THEN
        AERROR_MSG := '이체할 객실 후불 내역이 올바르게 지정되지 않았습니다.';
        RETURN;
    END IF;
    v_from_manage := AFROM_MANAGE::integer;
    v_from_seq := AFROM_SEQ::integer;
    v_to_manage := ATO_MANAGE::integer;

    IF (AFROM_UPJANG, AFROM_RSV, v_from_manage) = (ATO_UPJANG, ATO_RSV, v_to_manage) THEN
        AERROR_MSG := '같은 객실로는 객실 후불을 이체할 수 없습니다.';
        RETURN;
    END IF;

    SELECT * INTO v_charge FROM room_charge
     WHERE hotel_upjang_code = AFROM_UPJANG AND rsv_no = AFROM_RSV AND manage_no = v_from_manage
       AND task_date = AFROM_TASK_DATE AND seq = v_from_seq
       FOR UPDATE;
    IF NOT FOUND THEN
        AERROR_MSG := '이체할 객실 후불 내역이 없습니다.';
        RETURN;
    END IF;
    IF EXISTS (SELECT FROM room_charge_transfer t
                WHERE t.from_hotel_upjang_code = AFROM_UPJANG AND t.from_rsv_no = AFROM_RSV
                  AND t.from_manage_no = v_from_manage AND t.from_task_date = AFROM_TASK_DATE
                  AND t.from_seq = v_from_seq) THEN
        AERROR_MSG := '이미 이체된 객실 후불 내역입니다.';
        RETURN;
    END IF;

    -- The paying folio is locked, so that two charges moved to it at once
    -- get numbers one after the other.
    SELECT * INTO v_target FROM hotel_stay
     WHERE hotel_upjang_code = ATO_UPJANG AND rsv_no = ATO_RSV AND manage_no = v_to_manage
       FOR UPDATE;
    IF NOT FOUND THEN
        AERROR_MSG := '객실 후불을 이체받을 객실이 없습니다.';
        RETURN;
    END IF;
    IF v_target.check_out_date IS NOT NULL THEN
        AERROR_MSG := '객실 후불을 이체받을 객실 고객은 이미 퇴실했습니다.';
        RETURN;
    END IF;
    IF v_target.post_charge_yn <> 'Y' THEN
        AERROR_MSG := '객실 후불을 이체받을 수 없는 객실입니다.';
        RETURN;
    END IF;

    SELECT coalesce(max(c.seq), 0) + 1 INTO v_next_seq FROM room_charge c
     WHERE c.hotel_upjang_code = ATO_UPJANG AND c.rsv_no = ATO_RSV AND c.manage_no = v_to_manage
       AND c.task_date = ATASK_DATE;

    INSERT INTO room_charge (hotel_upjang_code, rsv_no, manage_no, task_date, seq, raise_upjang_code, pos_no,
                             bill_no, amount, emp_no, ip)
    VALUES (ATO_UPJANG, ATO_RSV, v_to_manage, ATASK_DATE, v_next_seq, v_charge.raise_upjang_code, v_charge.pos_no,
            v_charge.bill_no, v_charge.amount, coalesce(AU_EMP_NO, ''), coalesce(AU_IP, ''));
    INSERT INTO room_charge_transfer (from_hotel_upjang_code, from_rsv_no, from_manage_no, from_task_date, from_seq,
                                      to_hotel_upjang_code, to_rsv_no, to_manage_no, to_task_date, to_seq,
                                      raise_upjang_code, trans_reason, emp_no, ip)
    VALUES (AFROM_UPJANG, AFROM_RSV, v_from_manage, AFROM_TASK_DATE, v_from_seq, ATO_UPJANG, ATO_RSV, v_to_manage,
            ATASK_DATE, v_next_seq, coalesce(ARAISE_UPJANG_CODE, ''), coalesce(ATRANS_REASON, ''),
            coalesce(AU_EMP_NO, ''), coalesce(AU_IP, ''));
END
$$;
